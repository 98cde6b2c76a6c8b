#include <gtest/gtest.h>

#include "Provenance.h"

#include <filesystem>
#include <fstream>
#include <regex>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class TemporaryFolder {
public:
    TemporaryFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "provenanceXXXXXX").string();
        if (::mkdtemp(pattern.data()))
            path = pattern;
    }
    ~TemporaryFolder()
    {
        std::error_code ignored;
        if (!path.empty())
            std::filesystem::remove_all(path, ignored);
    }
    std::filesystem::path path;
};

} // namespace

// Digests of the FIPS 180-2 test messages.
TEST(Provenance, Sha256OfKnownTexts)
{
    EXPECT_EQ(sha256Hex(""), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
    EXPECT_EQ(sha256Hex("abc"), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    EXPECT_EQ(sha256Hex("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"),
              "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
}

TEST(Provenance, FilesAreHashedWholeOrNotAtAll)
{
    TemporaryFolder folder;
    ASSERT_FALSE(folder.path.empty());
    // A million 'a': larger than one read, so the digest spans several.
    const std::filesystem::path large = folder.path / "large.dat";
    std::ofstream(large, std::ios::binary) << std::string(1000000, 'a');
    const InputFile read = fingerprintFile("chromatogram", large.string());
    EXPECT_EQ(read.role, "chromatogram");
    EXPECT_EQ(read.path, large.string());
    EXPECT_EQ(read.bytes, 1000000u);
    EXPECT_EQ(read.sha256, "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0");

    const std::filesystem::path empty = folder.path / "empty.csv";
    std::ofstream(empty, std::ios::binary).flush();
    EXPECT_EQ(fingerprintFile("limits", empty.string()).bytes, 0u);

    // Nothing that is not a regular file is read, and a FIFO does not hold the run up.
    const std::filesystem::path fifo = folder.path / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const std::filesystem::path& path : {folder.path / "missing.db", folder.path, fifo}) {
        const InputFile unread = fingerprintFile("database", path.string());
        EXPECT_FALSE(unread.bytes) << path;
        EXPECT_FALSE(unread.sha256) << path;
    }
}

TEST(Provenance, StartTimeInUtc)
{
    const std::vector<std::pair<std::time_t, std::string>> cases = {
        {0, "1970-01-01T00:00:00Z"},
        {951782400, "2000-02-29T00:00:00Z"},
        {1796904090, "2026-12-10T12:01:30Z"},
    };
    for (const auto& [time, text] : cases)
        EXPECT_EQ(isoUtcTime(time), text);
}

TEST(Provenance, VersionsOfEveryLibrary)
{
    const auto versions = softwareVersions();
    std::vector<std::string> names;
    for (const auto& [name, version] : versions) {
        names.push_back(name);
        EXPECT_TRUE(std::regex_match(version, std::regex("[0-9]+(\\.[0-9]+)+"))) << name << " " << version;
    }
    EXPECT_EQ(names, (std::vector<std::string>{"dvinar", "sqlite", "icu", "libxml2", "libxslt", "pugixml"}));
}
