#include "platform/Paths.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

using namespace platform;
namespace fs = std::filesystem;

namespace {
struct ScopedEnv {
    ScopedEnv(const char* name, const char* value) : name_(name)
    {
        const char* old = std::getenv(name);
        had_ = old != nullptr;
        if (had_)
            old_ = old;
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~ScopedEnv()
    {
        if (had_)
            setenv(name_, old_.c_str(), 1);
        else
            unsetenv(name_);
    }
    const char* name_;
    bool had_ = false;
    std::string old_;
};
} // namespace

TEST(Paths, PublicDocumentsFolderFromEnvironmentOrHome)
{
    {
        ScopedEnv docs("VANTREL_PUBLIC_DOCUMENTS", "/srv/docs");
        EXPECT_EQ(publicDocumentsFolder(), u"/srv/docs");
    }
    {
        ScopedEnv docs("VANTREL_PUBLIC_DOCUMENTS", "");
        ScopedEnv home("HOME", "/home/analyst");
        EXPECT_EQ(publicDocumentsFolder(), u"/home/analyst/Public");
    }
}

TEST(Paths, FileNameAndFolderParts)
{
    EXPECT_EQ(fileNamePart(u"/data/runs/Проба 1.vtl"), u"Проба 1.vtl");
    EXPECT_EQ(fileNamePart(u"C:\\runs\\a.vtl"), u"a.vtl");
    EXPECT_EQ(fileNamePart(u"plain"), u"plain");
    EXPECT_EQ(folderPart(u"/data/runs/a.vtl"), u"/data/runs");
    EXPECT_EQ(folderPart(u"plain"), u"");
}

TEST(Paths, TempNamesAreNewEmptyFilesAndCopiesReplace)
{
    fs::path dir = fs::temp_directory_path() / ("vexol-paths-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    std::u16string folder = fromNativePath(dir.string());

    std::u16string a = createTempFileName(folder, u"vtl");
    std::u16string b = createTempFileName(folder, u"vtl");
    ASSERT_FALSE(a.empty());
    ASSERT_FALSE(b.empty());
    EXPECT_NE(a, b);
    EXPECT_TRUE(fileExists(a));
    EXPECT_EQ(fs::file_size(nativePath(a)), 0u);
    std::u16string name(fileNamePart(a));
    EXPECT_EQ(name.substr(0, 3), u"vtl");
    EXPECT_EQ(name.substr(name.size() - 4), u".tmp");
    EXPECT_EQ(name.size(), 11u);

    { std::ofstream(nativePath(a)) << "new report"; }
    { std::ofstream(nativePath(b)) << "an older and longer file"; }
    EXPECT_TRUE(copyFileReplace(a, b));
    std::ifstream in(nativePath(b));
    std::string content((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(content, "new report");

    EXPECT_FALSE(copyFileReplace(folder + u"/missing", b));
    EXPECT_FALSE(copyFileReplace(a, folder + u"/no/such/folder/x"));
    EXPECT_TRUE(createTempFileName(folder + u"/no/such/folder", u"vtl").empty());
    EXPECT_FALSE(fileExists(folder));
    EXPECT_TRUE(folderExists(folder));
    fs::remove_all(dir);
}
