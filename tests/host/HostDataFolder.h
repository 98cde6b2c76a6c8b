#pragma once
// A throw-away public documents folder with a host database and chromatogram files in it, for
// the tests that add assays the way the host hands them over.
#include "engine/Component.h"
#include "input/AssayRecord.h"

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>

struct sqlite3;

struct AssayDraft {
    std::u16string sample = u"Проба";
    std::u16string mixture = u"Смесь";
    bool isCalibration = false;
    bool isDeleted = false;
    bool isHidden = false;
    bool writeFile = true;                        // false: the row names a file that is not there
    std::map<int32_t, PeakList> channels;         // written into the chromatogram file
    PeakList databasePeaks;                       // the peaks the host named
};

class HostDataFolder {
public:
    HostDataFolder();   // also points $VANTREL_PUBLIC_DOCUMENTS here
    ~HostDataFolder();  // restores it and removes the folder
    HostDataFolder(const HostDataFolder&) = delete;
    HostDataFolder& operator=(const HostDataFolder&) = delete;

    const std::filesystem::path& root() const { return root_; }
    std::u16string databasePath() const;
    std::u16string path16(const std::string& name) const;

    // Adds the assay row (and its file); returns the id.
    int32_t addAssay(const std::string& fileName, const AssayDraft& draft);
    // Writes the component table where the workspace reads it.
    void writeComponents(const ComponentList& components);
    // Runs SQL on the host database.
    void execute(const char* sql);

private:
    std::filesystem::path root_;
    std::optional<std::string> savedDocuments_;
    sqlite3* database_ = nullptr;
};

Peak peakAt(std::u16string name, double time, double area, double concent = 0);
Component componentAt(std::u16string name, double time1, double time2);
