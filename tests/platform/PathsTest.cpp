#include "platform/FileSeam.h"
#include "platform/Paths.h"

#include <cerrno>
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

TEST(Paths, CopiesReplaceWholeOrNotAtAllAndACopyOntoItselfKeepsTheFile)
{
    fs::path dir = fs::temp_directory_path() / ("vexol-paths-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    std::u16string folder = fromNativePath(dir.string());
    const std::u16string a = folder + u"/a.html";
    const std::u16string b = folder + u"/b.html";
    auto content = [](std::u16string_view path) {
        std::ifstream in(nativePath(path));
        return std::string((std::istreambuf_iterator<char>(in)), {});
    };

    { std::ofstream(nativePath(a)) << "new report"; }
    { std::ofstream(nativePath(b)) << "an older and longer file"; }
    EXPECT_TRUE(copyFileReplace(a, b));
    EXPECT_EQ(content(b), "new report");

    // Onto itself, by name, by hard link or by symlink: the report stays whole.
    fs::create_hard_link(nativePath(a), nativePath(folder + u"/hard.html"));
    fs::create_symlink(nativePath(a), nativePath(folder + u"/soft.html"));
    for (std::u16string target : {a, folder + u"/hard.html", folder + u"/soft.html"}) {
        FileError error;
        EXPECT_TRUE(copyFileReplace(a, target, &error)) << error.messageUtf8();
        EXPECT_EQ(content(a), "new report");
    }

    FileError error;
    EXPECT_FALSE(copyFileReplace(folder + u"/missing", b, &error));
    EXPECT_EQ(error.code, ENOENT);
    EXPECT_EQ(content(b), "new report");
    EXPECT_FALSE(copyFileReplace(a, folder + u"/no/such/folder/x", &error));
    EXPECT_FALSE(copyFileReplace(a, folder, &error));
    EXPECT_EQ(error.code, EISDIR);
    EXPECT_FALSE(fileExists(folder));
    EXPECT_TRUE(folderExists(folder));
    fs::remove_all(dir);
}
