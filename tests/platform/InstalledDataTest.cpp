// The first run of an installed program: what the public documents folder lacks is copied from the
// installation's data folder, and nothing there is ever replaced.
#include "engine/ComponentTable.h"
#include "platform/InstalledData.h"
#include "platform/Text.h"
#include "report/HtmlReport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

namespace fs = std::filesystem;

struct Scratch {
    Scratch()
    {
        std::string pattern = (fs::temp_directory_path() / "vexol-installed-XXXXXX").string();
        root = mkdtemp(pattern.data());
        data = root / "share";
        publicFolder = root / "public";
        fs::create_directories(data);
    }
    ~Scratch() { fs::remove_all(root); }

    static void write(const fs::path& path, const std::string& text)
    {
        fs::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << text;
    }
    static std::string read(const fs::path& path)
    {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
    std::u16string data16() const { return platform::utf8ToUtf16(data.string()); }
    std::u16string public16() const { return platform::utf8ToUtf16(publicFolder.string()); }

    fs::path root, data, publicFolder;
};

const fs::path templateBelow = "Vantrel4/Templates/vexol/Report.xsl";
const fs::path tableBelow = "Vantrel4/vexol/CompsTableVexol.csv";

TEST(InstalledData, CopiesWhatIsMissingAndKeepsWhatIsThere)
{
    struct Case {
        const char* name;
        bool shipTable;          // the data folder has the sample table
        const char* ownTable;    // the analyst's table already in place, or null
        std::size_t copied;
    };
    const Case cases[] = {
        {"first run", true, nullptr, 2},
        {"the analyst's table stays", true, "мой;стол", 1},
        {"an installation without a table", false, nullptr, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Scratch scratch;
        Scratch::write(scratch.data / "Report.xsl", "<xsl/>");
        if (c.shipTable)
            Scratch::write(scratch.data / "CompsTableVexol.csv", "sample");
        if (c.ownTable)
            Scratch::write(scratch.publicFolder / tableBelow, c.ownTable);

        const platform::InstalledDataCopy copy = platform::copyMissingInstalledData(scratch.data16(), scratch.public16());

        EXPECT_TRUE(copy.failures.empty());
        EXPECT_EQ(copy.copied.size(), c.copied);
        EXPECT_EQ(Scratch::read(scratch.publicFolder / templateBelow), "<xsl/>");
        EXPECT_EQ(fs::exists(scratch.publicFolder / tableBelow), c.shipTable || c.ownTable);
        if (c.ownTable || c.shipTable) {
            EXPECT_EQ(Scratch::read(scratch.publicFolder / tableBelow), c.ownTable ? c.ownTable : "sample");
        }
        // No half-written copies are left beside the files.
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(scratch.publicFolder))
            EXPECT_EQ(entry.path().string().find(".part"), std::string::npos) << entry.path();

        // A second run finds everything in place.
        EXPECT_TRUE(platform::copyMissingInstalledData(scratch.data16(), scratch.public16()).copied.empty());
    }
}

TEST(InstalledData, AFolderThatCannotBeMadeIsReportedPerFile)
{
    Scratch scratch;
    Scratch::write(scratch.data / "Report.xsl", "<xsl/>");
    Scratch::write(scratch.data / "CompsTableVexol.csv", "sample");
    Scratch::write(scratch.publicFolder / "Vantrel4", "a file where the folder belongs");

    const platform::InstalledDataCopy copy = platform::copyMissingInstalledData(scratch.data16(), scratch.public16());

    EXPECT_TRUE(copy.copied.empty());
    ASSERT_EQ(copy.failures.size(), 2u);
    EXPECT_NE(copy.failures[0].find(u"Report.xsl: "), std::u16string::npos) << platform::utf16ToUtf8(copy.failures[0]);
}

// The copies land where the plug-in and dvinar-batch look for them.
TEST(InstalledData, PublicPathsAreWhereTheTableAndTheTemplateAreRead)
{
    Scratch scratch;
    ASSERT_EQ(setenv("VANTREL_PUBLIC_DOCUMENTS", scratch.publicFolder.c_str(), 1), 0);
    const std::u16string table = componentTablePath();
    const std::u16string report = HtmlReport::installedTemplatePath();
    unsetenv("VANTREL_PUBLIC_DOCUMENTS");
    ASSERT_EQ(platform::installedDataFiles().size(), 2u);
    EXPECT_EQ(scratch.public16() + platform::utf8ToUtf16(platform::installedDataFiles()[0].publicPath), report);
    EXPECT_EQ(scratch.public16() + platform::utf8ToUtf16(platform::installedDataFiles()[1].publicPath), table);
}

} // namespace
