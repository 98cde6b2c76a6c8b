// The first run of an installed program: what the public documents folder lacks is copied from the
// installation's data folder, and nothing there is ever replaced.
#include "engine/ComponentTable.h"
#include "platform/FileSeam.h"
#include "platform/InstalledData.h"
#include "FileFaults.h"
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

// A first run that meets a full disk or a failing device leaves no partial copy where the plug-in
// would read it: each file is whole or absent, and the failure names it. A file that took the
// name while the copy was being written (the analyst's, or another first run's) is kept.
TEST(InstalledData, FaultsLeaveEachCopyWholeOrAbsent)
{
    using testing_support::Op;
    struct Case {
        const char* name;
        Op op;
        int code;
        int onCall;
        int unnamedFileRefusal;
        std::size_t failures;
    };
    const Case cases[] = {
        {"disk full while copying", Op::Write, ENOSPC, 1, 0, 2},
        {"disk full while copying, no unnamed files", Op::Write, ENOSPC, 1, EOPNOTSUPP, 2},
        {"I/O error at the second file's sync", Op::Fsync, EIO, 3, 0, 1},  // the first file and its folder before it
        {"the finished copy cannot be named", Op::Link, EIO, 1, 0, 1},
        {"the finished copy cannot be named, no unnamed files", Op::Link, EIO, 1, EOPNOTSUPP, 1},
        {"the installed file cannot be read", Op::Read, EIO, 1, 0, 1},
    };
    const std::string longTemplate(300000, 'x');
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Scratch scratch;
        Scratch::write(scratch.data / "Report.xsl", longTemplate);
        Scratch::write(scratch.data / "CompsTableVexol.csv", "sample");

        testing_support::FaultyCalls faults;
        faults.failing = c.op;
        faults.failCode = c.code;
        faults.failOnCall = c.onCall;
        faults.failTimes = c.failures == 2 ? 1000 : 1;
        faults.writeCap = 4096;  // many writes, so a fault can strike midway
        faults.unnamedFileRefusal = c.unnamedFileRefusal;
        platform::InstalledDataCopy copy;
        {
            platform::ScopedFileSystemCalls scope(faults);
            copy = platform::copyMissingInstalledData(scratch.data16(), scratch.public16());
        }
        EXPECT_EQ(copy.failures.size(), c.failures);
        EXPECT_EQ(copy.copied.size(), 2 - c.failures);
        const std::string reason = platform::describeSystemError(c.code);
        for (const std::u16string& failure : copy.failures)
            EXPECT_NE(platform::utf16ToUtf8(failure).find(reason), std::string::npos) << platform::utf16ToUtf8(failure);

        // Only whole copies, nothing else, in the public folder.
        std::size_t files = 0;
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(scratch.publicFolder)) {
            if (entry.is_directory())
                continue;
            ++files;
            const std::string name = entry.path().filename().string();
            EXPECT_TRUE(name == "Report.xsl" || name == "CompsTableVexol.csv") << entry.path();
            EXPECT_EQ(Scratch::read(entry.path()), name == "Report.xsl" ? longTemplate : "sample");
        }
        EXPECT_EQ(files, copy.copied.size());

        // The next run, with the disk sound again, copies what is still missing.
        EXPECT_EQ(platform::copyMissingInstalledData(scratch.data16(), scratch.public16()).copied.size(), c.failures);
    }
}

TEST(InstalledData, AFileThatTakesTheNameMeanwhileIsKept)
{
    // The analyst's own template lands at the name just before the copy would get it.
    struct Planting : testing_support::FaultyCalls {
        std::string plantAt;
        int linkat(int fromFolder, const char* from, int toFolder, const char* to, int flags) override
        {
            if (!plantAt.empty() && plantAt == to)
                Scratch::write(plantAt, "the laboratory's own");
            return testing_support::FaultyCalls::linkat(fromFolder, from, toFolder, to, flags);
        }
    };
    for (int unnamedFileRefusal : {0, EOPNOTSUPP}) {
        SCOPED_TRACE(unnamedFileRefusal);
        Scratch scratch;
        Scratch::write(scratch.data / "Report.xsl", "<xsl/>");
        Planting planting;
        planting.unnamedFileRefusal = unnamedFileRefusal;
        planting.plantAt = (scratch.publicFolder / templateBelow).string();
        platform::InstalledDataCopy copy;
        {
            platform::ScopedFileSystemCalls scope(planting);
            copy = platform::copyMissingInstalledData(scratch.data16(), scratch.public16());
        }
        EXPECT_TRUE(copy.copied.empty());
        EXPECT_TRUE(copy.failures.empty());
        EXPECT_EQ(Scratch::read(scratch.publicFolder / templateBelow), "the laboratory's own");
        std::size_t entries = 0;
        for (const fs::directory_entry& entry : fs::directory_iterator((scratch.publicFolder / templateBelow).parent_path())) {
            (void)entry;
            ++entries;
        }
        EXPECT_EQ(entries, 1u);
    }
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
