#pragma once
// A public documents folder of the test's own, with the folders the host's installation would
// have made, and the component table file in it written and read as raw bytes.
#include <QTemporaryDir>

#include <string>
#include <vector>

class ComponentTableFolder {
public:
    // withInstallFolders: create "Vantrel4/vexol" below the public documents folder.
    explicit ComponentTableFolder(bool withInstallFolders = true);
    ~ComponentTableFolder();

    std::string tablePath() const;
    // Writes the header and the given data lines (UTF-8 here, code page 1251 in the file), each
    // ended by CR LF.
    void writeTable(const std::vector<std::u16string>& dataLines) const;
    void writeBytes(const std::string& bytes) const;
    std::string readBytes() const;   // empty when there is no file
    bool tableExists() const;

    static std::string cp1251(std::u16string_view text);
    static const std::u16string header;

private:
    QTemporaryDir dir_;
    std::string previous_;
    bool hadPrevious_ = false;
};
