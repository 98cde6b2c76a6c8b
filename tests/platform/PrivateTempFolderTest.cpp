#include "platform/PrivateTempFolder.h"
#include "platform/Paths.h"
#include "FileFaults.h"

#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

using namespace platform;
namespace fs = std::filesystem;

namespace {

// A scratch root with a runtime folder and a temporary folder; the environment points at them for
// the life of the object and each test starts a fresh session.
class TempFolders {
public:
    TempFolders()
    {
        for (const char* name : {"XDG_RUNTIME_DIR", "TMPDIR"}) {
            const char* value = std::getenv(name);
            saved_.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
        }
        char pattern[] = "/tmp/vexol-private-test-XXXXXX";
        root = ::mkdtemp(pattern);
        runtime = root / "run";
        temp = root / "tmp";
        fs::create_directories(runtime);
        fs::create_directories(temp);
        ::chmod(runtime.c_str(), 0700);
        setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
        setenv("TMPDIR", temp.c_str(), 1);
        removeSessionTempFiles();
    }
    ~TempFolders()
    {
        removeSessionTempFiles();
        for (const auto& [name, value] : saved_) {
            if (value)
                setenv(name.c_str(), value->c_str(), 1);
            else
                unsetenv(name.c_str());
        }
        std::error_code ignored;
        fs::remove_all(root, ignored);
    }

    fs::path root, runtime, temp;

private:
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

mode_t modeOf(const fs::path& path)
{
    struct stat status {};
    ::lstat(path.c_str(), &status);
    return status.st_mode;
}

void makeOld(const fs::path& path)
{
    const timespec twoDaysAgo{std::time(nullptr) - 2 * 24 * 3600, 0};
    const timespec times[2] = {twoDaysAgo, twoDaysAgo};
    ::utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW);
}

std::string content(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), {});
}

} // namespace

TEST(PrivateTempFolder, ReportsGoIntoTheRuntimeFolderOneFileEachAndOnlyForTheUser)
{
    TempFolders folders;
    FileError error;
    const std::u16string first = createPrivateTempFile(u"vtl", u".html", "<p>1</p>", error);
    const std::u16string second = createPrivateTempFile(u"vtl", u".html", "<p>2</p>", error);
    ASSERT_FALSE(first.empty()) << error.messageUtf8();
    ASSERT_FALSE(second.empty());
    EXPECT_NE(first, second);
    const fs::path path(nativePath(first));
    EXPECT_EQ(path.parent_path(), folders.runtime / "vexol");
    const std::string name = path.filename().string();
    EXPECT_TRUE(name.starts_with("vtl") && name.ends_with(".tmp.html") && name.size() == 16) << name;
    EXPECT_EQ(modeOf(path) & 07777, 0600u);
    EXPECT_EQ(modeOf(path.parent_path()) & 07777, 0700u);
    EXPECT_EQ(content(path), "<p>1</p>");
    // Two reports, two files: no placeholders pile up beside them.
    EXPECT_EQ(std::distance(fs::directory_iterator(path.parent_path()), fs::directory_iterator()), 2);

    // Unloading removes this session's reports and nothing else.
    std::ofstream(folders.runtime / "vexol" / "someone's.txt") << "x";
    removeSessionTempFiles();
    EXPECT_FALSE(fs::exists(path));
    EXPECT_FALSE(fs::exists(nativePath(second)));
    EXPECT_TRUE(fs::exists(folders.runtime / "vexol" / "someone's.txt"));
}

TEST(PrivateTempFolder, AFolderOthersCouldReachIsNeverUsed)
{
    struct Case {
        const char* name;
        void (*prepare)(const TempFolders&);
    };
    const Case cases[] = {
        {"no runtime folder", [](const TempFolders&) { unsetenv("XDG_RUNTIME_DIR"); }},
        {"runtime folder open to others", [](const TempFolders& f) { ::chmod(f.runtime.c_str(), 0755); }},
        {"planted symlink", [](const TempFolders& f) {
             fs::create_directory(f.root / "elsewhere");
             ::chmod((f.root / "elsewhere").c_str(), 0700);
             fs::create_directory_symlink(f.root / "elsewhere", f.runtime / "vexol");
         }},
        {"shared subfolder", [](const TempFolders& f) {
             fs::create_directory(f.runtime / "vexol");
             ::chmod((f.runtime / "vexol").c_str(), 0777);
         }},
        {"a file in its place", [](const TempFolders& f) { std::ofstream(f.runtime / "vexol") << "x"; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolders folders;
        c.prepare(folders);
        FileError error;
        const std::u16string file = createPrivateTempFile(u"vtl", u".html", "report", error);
        ASSERT_FALSE(file.empty()) << error.messageUtf8();
        const fs::path folder = fs::path(nativePath(file)).parent_path();
        // A session folder of its own under the temporary folder instead.
        EXPECT_EQ(folder.parent_path(), folders.temp);
        EXPECT_TRUE(folder.filename().string().starts_with("vexol-"));
        EXPECT_EQ(modeOf(folder) & 07777, 0700u);
        EXPECT_TRUE(!fs::exists(folders.root / "elsewhere") || fs::is_empty(folders.root / "elsewhere"));
        removeSessionTempFiles();
        EXPECT_FALSE(fs::exists(folder)) << "the session's folder goes with the session";
    }
}

TEST(PrivateTempFolder, TakenNamesAreSkippedAndEveryNameTakenIsAnError)
{
    TempFolders folders;
    FileError error;
    ASSERT_FALSE(privateTempFolder(error).empty());
    {
        testing_support::FaultyCalls faults;  // the first names tried are taken
        faults.failing = testing_support::Op::Open;
        faults.failCode = EEXIST;
        faults.failTimes = 40;
        ScopedFileSystemCalls scope(faults);
        EXPECT_FALSE(createPrivateTempFile(u"vtl", u".html", "report", error).empty()) << error.messageUtf8();
    }
    {
        testing_support::FaultyCalls faults;
        faults.failing = testing_support::Op::Open;
        faults.failCode = EEXIST;
        faults.failTimes = 0x10000;
        ScopedFileSystemCalls scope(faults);
        EXPECT_TRUE(createPrivateTempFile(u"vtl", u".html", "report", error).empty());
        EXPECT_EQ(error.code, EEXIST);
    }
    {
        testing_support::FaultyCalls faults;  // a full disk is not a taken name: no more tries
        faults.failing = testing_support::Op::Write;
        faults.failCode = ENOSPC;
        ScopedFileSystemCalls scope(faults);
        EXPECT_TRUE(createPrivateTempFile(u"vtl", u".html", "report", error).empty());
        EXPECT_EQ(error.code, ENOSPC);
    }
    // Only the one good report is there; the failed one left nothing.
    EXPECT_EQ(std::distance(fs::directory_iterator(folders.runtime / "vexol"), fs::directory_iterator()), 1);
}

TEST(PrivateTempFolder, LeftoversOfEarlierSessionsGoOnceADayOld)
{
    TempFolders folders;
    fs::create_directory(folders.runtime / "vexol");
    ::chmod((folders.runtime / "vexol").c_str(), 0700);
    std::ofstream(folders.runtime / "vexol" / "vtl0001.tmp") << "";
    std::ofstream(folders.runtime / "vexol" / "vtl0001.tmp.html") << "old report";
    std::ofstream(folders.runtime / "vexol" / "vtl0002.tmp.html") << "this morning's report";
    makeOld(folders.runtime / "vexol" / "vtl0001.tmp");
    makeOld(folders.runtime / "vexol" / "vtl0001.tmp.html");

    // A killed host's session folder under the temporary folder, and a young one.
    for (const char* name : {"vexol-OLDOLD", "vexol-YOUNG1"}) {
        fs::create_directory(folders.temp / name);
        std::ofstream(folders.temp / name / "vtl00AA.tmp.html") << "report";
        ::chmod((folders.temp / name).c_str(), 0700);
    }
    makeOld(folders.temp / "vexol-OLDOLD" / "vtl00AA.tmp.html");
    makeOld(folders.temp / "vexol-OLDOLD");

    FileError error;
    ASSERT_FALSE(privateTempFolder(error).empty());
    EXPECT_FALSE(fs::exists(folders.runtime / "vexol" / "vtl0001.tmp"));
    EXPECT_FALSE(fs::exists(folders.runtime / "vexol" / "vtl0001.tmp.html"));
    EXPECT_TRUE(fs::exists(folders.runtime / "vexol" / "vtl0002.tmp.html"));

    unsetenv("XDG_RUNTIME_DIR");  // the next session has no runtime folder
    removeSessionTempFiles();
    ASSERT_FALSE(privateTempFolder(error).empty());
    EXPECT_FALSE(fs::exists(folders.temp / "vexol-OLDOLD"));
    EXPECT_TRUE(fs::exists(folders.temp / "vexol-YOUNG1" / "vtl00AA.tmp.html"));
}
