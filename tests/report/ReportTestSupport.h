#pragma once
// Shared pieces of the report tests: a user interface that records what the report asks of it,
// a sandbox of temporary folders standing for the public documents and temporary folders, and
// readers for the serialised report document.
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include "platform/Text.h"
#include "report/ReportUserInterface.h"

class RecordingReportUserInterface : public ReportUserInterface {
public:
    void showError(const std::u16string& text) override { errors.push_back(platform::utf16ToUtf8(text)); }
    std::optional<std::u16string> askSavePath(const SaveReportRequest& request) override
    {
        saveRequests.push_back(request);
        return saveAnswer;
    }
    void openWithShell(const std::u16string& path) override { opened.push_back(platform::utf16ToUtf8(path)); }

    std::vector<std::string> errors;
    std::vector<SaveReportRequest> saveRequests;
    std::optional<std::u16string> saveAnswer;
    std::vector<std::string> opened;
};

// Points the public documents folder and the temporary folder at fresh folders of the test's own
// and puts the previous values back afterwards.
class ReportFolders {
public:
    ReportFolders()
    {
        saved_ = {save("VANTREL_PUBLIC_DOCUMENTS"), save("TMPDIR"), save("HOME"), save("XDG_RUNTIME_DIR")};
        char pattern[] = "/tmp/vexol_report_XXXXXX";
        root = mkdtemp(pattern);
        publicFolder = root / "public";
        tempFolder = root / "temp";
        std::filesystem::create_directories(publicFolder);
        std::filesystem::create_directories(tempFolder);
        setenv("VANTREL_PUBLIC_DOCUMENTS", publicFolder.c_str(), 1);
        setenv("TMPDIR", tempFolder.c_str(), 1);
        unsetenv("XDG_RUNTIME_DIR");  // reports go to a private folder under tempFolder
    }
    ~ReportFolders()
    {
        for (const auto& [name, value] : saved_) {
            if (value)
                setenv(name.c_str(), value->c_str(), 1);
            else
                unsetenv(name.c_str());
        }
        std::error_code ignored;
        std::filesystem::remove_all(root, ignored);
    }

    std::filesystem::path templatePath() const { return publicFolder / "Vantrel4/Templates/vexol/Report.xsl"; }
    void installTemplate(const std::string& text) const
    {
        std::filesystem::create_directories(templatePath().parent_path());
        std::ofstream(templatePath(), std::ios::binary) << text;
    }
    void installShippedTemplate() const { installTemplate(readFile(shippedTemplatePath())); }
    static std::filesystem::path shippedTemplatePath()
    {
        return std::filesystem::path(VEXOL_TEST_DATA_DIR).parent_path().parent_path() / "data" / "Report.xsl";
    }

    // Every file under the temporary folder, the private report folders included.
    std::vector<std::filesystem::path> tempFiles() const
    {
        std::vector<std::filesystem::path> files;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(tempFolder))
            if (!entry.is_directory())
                files.push_back(entry.path());
        std::sort(files.begin(), files.end());
        return files;
    }

    static std::string readFile(const std::filesystem::path& path)
    {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    std::filesystem::path root;
    std::filesystem::path publicFolder;
    std::filesystem::path tempFolder;

private:
    static std::pair<std::string, std::optional<std::string>> save(const char* name)
    {
        const char* value = std::getenv(name);
        return {name, value ? std::optional<std::string>(value) : std::nullopt};
    }
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

// Parses the serialised report document as the XSLT engine receives it (UTF-16LE).
inline void parseReportDocument(const std::u16string& text, pugi::xml_document& document)
{
    pugi::xml_parse_result parsed = document.load_buffer(text.data(), text.size() * sizeof(char16_t),
                                                         pugi::parse_default | pugi::parse_declaration,
                                                         pugi::encoding_utf16_le);
    ASSERT_TRUE(parsed) << parsed.description();
}

inline std::string attribute(pugi::xml_node node, const char* name)
{
    return node.attribute(name).value();
}
