#include "ChromatogramSamples.h"

#include "input/CVantrelFile4.h"

#include "FileFaults.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>

#include <sys/stat.h>

using samples::Block;
using samples::container;
using samples::TempFolder;

namespace {

const std::string emptyDocument = "<?xml version=\"1.0\"?><root/>";

int32_t parseImage(CVantrelFile4& file, const std::vector<unsigned char>& image)
{
    return file.parse(image.data(), image.size());
}

int32_t loadImage(CVantrelFile4& file, const std::vector<unsigned char>& image)
{
    TempFolder folder;
    samples::writeBytes(folder.path("f.stg"), image);
    return file.load(folder.path16("f.stg"));
}

TEST(CVantrelFile4, NewObjectHasVersionOneAndZeroGuid)
{
    CVantrelFile4 file;
    EXPECT_EQ(file.formatVersion, 1);
    EXPECT_EQ(file.passport.assayid, u"00000000-0000-0000-0000-000000000000");
    EXPECT_TRUE(file.passport.filePath.empty());
    EXPECT_TRUE(file.channels.empty());
}

TEST(CVantrelFile4, SaveThenLoadAndParseGiveTheSameObject)
{
    TempFolder folder;
    CVantrelFile4 original = samples::richChromatogram();
    ASSERT_EQ(original.save(folder.path16("a.stg")), 0);
    EXPECT_EQ(original.passport.filePath, folder.path16("a.stg"));

    CVantrelFile4 loaded;
    ASSERT_EQ(loaded.load(folder.path16("a.stg")), 0);
    EXPECT_EQ(loaded.passport, original.passport);
    EXPECT_EQ(loaded.formatVersion, 1);
    samples::expectSameChannels(original.channels, loaded.channels);

    std::vector<unsigned char> image = samples::readBytes(folder.path("a.stg"));
    CVantrelFile4 parsed;
    ASSERT_EQ(parsed.parse(image.data(), image.size()), 0);
    EXPECT_TRUE(parsed.passport.filePath.empty()) << "only load sets the path";
    parsed.passport.filePath = loaded.passport.filePath;
    EXPECT_EQ(parsed.passport, loaded.passport);
    samples::expectSameChannels(loaded.channels, parsed.channels);
}

TEST(CVantrelFile4, WritesTheContainerLayoutAndRawUtf8WithoutBom)
{
    CVantrelFile4 file = samples::richChromatogram();
    file.formatVersion = 0;
    std::vector<unsigned char> image = samples::imageOf(file);
    ASSERT_GT(image.size(), 16u + 2 * 32 + 7 * 4);
    EXPECT_EQ(std::string(image.begin(), image.begin() + 3), "STG");
    EXPECT_EQ(image[3], 0);
    EXPECT_EQ(std::vector<unsigned char>(image.begin() + 4, image.begin() + 8), std::vector<unsigned char>(4, 0));
    const uint64_t binaryLength = 16 + (32 + 5 * 4) + (32 + 2 * 4);
    EXPECT_EQ(image[8], binaryLength);
    EXPECT_EQ(std::vector<unsigned char>(image.begin() + 9, image.begin() + 16), std::vector<unsigned char>(7, 0));
    // First block: number, seven zero bytes, then its samples right after the 32-byte header.
    EXPECT_EQ(image[16], 1);
    EXPECT_EQ(image[16 + 24], 5);
    EXPECT_EQ(image[16 + 32 + 8], 0xFF);
    std::string xml(image.begin() + binaryLength, image.end());
    EXPECT_EQ(xml.rfind("<?xml version=\"1.0\" encoding=\"utf-8\"?><root version=\"1\"><passport version=\"1\">"
                        "<assayid value=\"6f1c2a9e-0d4b-4c1e-9a57-3b2e8f0c1d22\"/>", 0),
              0u)
        << xml.substr(0, 200);
    EXPECT_EQ(xml.find('\n'), std::string::npos);
    EXPECT_NE(xml.find("<concent value=\"0.10000000000000001\"/>"), std::string::npos);
    EXPECT_NE(xml.find("Водка «Столичная»"), std::string::npos) << "text is raw UTF-8";
}

TEST(CVantrelFile4, BinaryLengthSixteenMeansNoChannels)
{
    for (auto read : {parseImage, loadImage}) {
        CVantrelFile4 file;
        file.channels.resize(3);
        ASSERT_EQ(read(file, container(1, {}, emptyDocument)), 0);
        EXPECT_TRUE(file.channels.empty());
    }
}

TEST(CVantrelFile4, EmptyBlockGivesChannelWithoutSamples)
{
    Block empty;
    empty.number = 200;
    Block full;
    full.number = 200;
    full.samples = {1, 2};
    for (auto read : {parseImage, loadImage}) {
        CVantrelFile4 file;
        ASSERT_EQ(read(file, container(1, {empty, full}, emptyDocument)), 0);
        ASSERT_EQ(file.channels.size(), 2u) << "channels with the same number are all kept";
        EXPECT_EQ(file.channels[0].number, 200);
        EXPECT_TRUE(file.channels[0].signal.samples.empty());
        EXPECT_EQ(file.channels[1].signal.samples, (SampleArray{1, 2}));
    }
}

TEST(CVantrelFile4, VersionsZeroAndOneAreRememberedAndTwoIsRejected)
{
    for (uint8_t version : {0, 1}) {
        CVantrelFile4 parsed, loaded;
        parsed.formatVersion = loaded.formatVersion = 7;
        EXPECT_EQ(parseImage(parsed, container(version, {}, emptyDocument)), 0);
        EXPECT_EQ(loadImage(loaded, container(version, {}, emptyDocument)), 0);
        EXPECT_EQ(parsed.formatVersion, version);
        EXPECT_EQ(loaded.formatVersion, version);
    }
    // A read rejected at the header leaves the object as it was.
    CVantrelFile4 parsed = samples::richChromatogram(), loaded = samples::richChromatogram();
    EXPECT_EQ(parseImage(parsed, container(2, {}, emptyDocument)), -2);
    EXPECT_EQ(loadImage(loaded, container(2, {}, emptyDocument)), -4);
    EXPECT_EQ(parsed.channels.size(), 2u);
    EXPECT_EQ(loaded.channels.size(), 2u);
    EXPECT_EQ(loaded.formatVersion, 1);
}

TEST(CVantrelFile4, HeaderFaults)
{
    std::vector<unsigned char> image = container(1, {}, emptyDocument);
    image[1] = 'X';
    CVantrelFile4 file;
    EXPECT_EQ(parseImage(file, image), -1);
    EXPECT_EQ(loadImage(file, image), -3);
    std::vector<unsigned char> shortHeader(image.begin(), image.begin() + 15);
    EXPECT_EQ(loadImage(file, shortHeader), -2);
    EXPECT_EQ(parseImage(file, shortHeader), -1);
    EXPECT_EQ(file.parse(nullptr, 0), -1);
}

TEST(CVantrelFile4, MissingOrBrokenDocument)
{
    CVantrelFile4 file;
    EXPECT_EQ(parseImage(file, container(1, {}, "")), -3);
    EXPECT_EQ(loadImage(file, container(1, {}, "")), -7);
    EXPECT_EQ(parseImage(file, container(1, {}, "<root><passport></root>")), -3);
    EXPECT_EQ(loadImage(file, container(1, {}, "<root><passport></root>")), -7);
    EXPECT_TRUE(file.passport.filePath.empty()) << "a failed load does not take the path";
}

TEST(CVantrelFile4, InvalidUtf8InTheDocumentBecomesReplacementCharacters)
{
    std::string xml = "<root><passport><sample value='a\xFF\xC3" "b'/><p\xE9" "ak title='\xF0\x9F' value='1'/></passport></root>";
    CVantrelFile4 file;
    ASSERT_EQ(parseImage(file, container(1, {}, xml)), 0);
    EXPECT_EQ(file.passport.sample.front(), u'a');
    EXPECT_EQ(file.passport.sample.back(), u'b');
    EXPECT_NE(file.passport.sample.find(u'\xFFFD'), std::u16string::npos);
    ASSERT_EQ(file.passport.parameters.size(), 1u);
    // What was read can be written and read back.
    TempFolder folder;
    ASSERT_EQ(file.save(folder.path16("again.stg")), 0);
    CVantrelFile4 again;
    ASSERT_EQ(again.load(folder.path16("again.stg")), 0);
    EXPECT_EQ(again.passport.sample, file.passport.sample);
    EXPECT_EQ(again.passport.parameters, file.passport.parameters);
}

TEST(CVantrelFile4, DocumentWithoutRootPassportOrChannelsGivesDefaults)
{
    Block block;
    block.samples = {5};
    for (const std::string& xml : {std::string("<other/>"), std::string("<root/>"),
                                   std::string("<root><passport/></root>"), std::string("<root><channels/></root>")}) {
        SCOPED_TRACE(xml);
        CVantrelFile4 file;
        ASSERT_EQ(parseImage(file, container(1, {block}, xml)), 0);
        EXPECT_EQ(file.passport, Passport());
        ASSERT_EQ(file.channels.size(), 1u);
        EXPECT_TRUE(file.channels[0].peaks.empty());
    }
}

TEST(CVantrelFile4, TruncationInsideSamplesAndBlockHeaders)
{
    Block block;
    block.samples = {1, 2, 3, 4};
    std::vector<unsigned char> image = container(1, {block}, emptyDocument);
    std::vector<unsigned char> insideSamples(image.begin(), image.begin() + 16 + 32 + 6);
    std::vector<unsigned char> insideHeader(image.begin(), image.begin() + 16 + 20);
    CVantrelFile4 file;
    EXPECT_EQ(loadImage(file, insideSamples), -6);
    EXPECT_EQ(parseImage(file, insideSamples), -6);
    EXPECT_EQ(loadImage(file, insideHeader), -5);
    EXPECT_EQ(parseImage(file, insideHeader), -5);
}

TEST(CVantrelFile4, HugeSampleCountsFailBeforeAllocating)
{
    for (uint64_t count : {uint64_t{1} << 32, UINT64_MAX - 1, uint64_t{1} << 62, uint64_t{0x3FFFFFFF}}) {
        SCOPED_TRACE(count);
        Block block;
        block.samples = {1};
        block.announcedCount = count;
        std::vector<unsigned char> image = container(1, {block}, emptyDocument, 16 + 32 + 4);
        CVantrelFile4 file;
        EXPECT_EQ(loadImage(file, image), -6);
        EXPECT_EQ(parseImage(file, image), -6);
    }
}

TEST(CVantrelFile4, HugeBinaryLengthRunsOutOfBlocks)
{
    Block block;
    block.samples = {9};
    std::vector<unsigned char> image = container(1, {block}, "", UINT64_MAX - 1);
    CVantrelFile4 file;
    EXPECT_EQ(loadImage(file, image), -5);
    EXPECT_EQ(parseImage(file, image), -5);
    EXPECT_EQ(file.channels.size(), 1u) << "what was read before the failure stays";
}

// Whatever is cut off or flipped, the readers answer with a code and stay within the data.
TEST(CVantrelFile4, EveryPrefixAndFlippedHeaderByteGivesACode)
{
    CVantrelFile4 original = samples::richChromatogram();
    std::vector<unsigned char> image = samples::imageOf(original);
    const std::size_t binaryLength = 16 + (32 + 20) + (32 + 8);
    for (std::size_t size = 0; size < image.size(); size += (size < binaryLength + 64 ? 1 : 37)) {
        std::vector<unsigned char> prefix(image.begin(), image.begin() + size);
        CVantrelFile4 parsed;
        int32_t result = parsed.parse(prefix.data(), prefix.size());
        EXPECT_LT(result, 0) << size;
        if (size <= binaryLength || size % 5 == 0) {
            CVantrelFile4 loaded;
            EXPECT_LT(loadImage(loaded, prefix), 0) << size;
        }
    }
    for (std::size_t at = 0; at < binaryLength; ++at) {
        std::vector<unsigned char> flipped = image;
        flipped[at] ^= 0xA5;
        CVantrelFile4 parsed;
        int32_t result = parsed.parse(flipped.data(), flipped.size());
        EXPECT_LE(result, 0);
        CVantrelFile4 loaded;
        EXPECT_LE(loadImage(loaded, flipped), 0);
    }
}

TEST(CVantrelFile4, LoadRefusesWhatIsNotARegularFile)
{
    TempFolder folder;
    CVantrelFile4 file;
    EXPECT_EQ(file.load(folder.path16("missing.stg")), -1);
    EXPECT_EQ(file.load(folder.path16("")), -1) << "the folder itself";
    ASSERT_EQ(mkfifo(folder.path("pipe").c_str(), 0600), 0);
    EXPECT_EQ(file.load(folder.path16("pipe")), -1) << "a FIFO without writer must not block";
    EXPECT_EQ(file.save(folder.path16("")), -1);
    EXPECT_EQ(file.save(folder.path16("no/such/folder.stg")), -1);
}

// Each step of a save meets a fault: the code names the step and the earlier file stays whole.
TEST(CVantrelFile4, AFailedSaveKeepsTheEarlierFileAndSaysWhichStepFailed)
{
    TempFolder folder;
    CVantrelFile4 rich = samples::richChromatogram();
    ASSERT_EQ(rich.save(folder.path16("run.stg")), 0);
    std::ifstream in(folder.path("run.stg"), std::ios::binary);
    const std::string before((std::istreambuf_iterator<char>(in)), {});
    ASSERT_GT(before.size(), 100u);

    struct Case {
        testing_support::Op op;
        int onCall;
        int expected;
    };
    const Case cases[] = {
        {testing_support::Op::Open, 1, -1},   // the temporary cannot be made
        {testing_support::Op::Write, 1, -2},  // header
        {testing_support::Op::Write, 2, -5},  // first block header
        {testing_support::Op::Write, 3, -6},  // its samples
        {testing_support::Op::Fsync, 1, -7},
        {testing_support::Op::Rename, 1, -7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        testing_support::FaultyCalls faults;
        faults.failing = c.op;
        faults.failOnCall = c.onCall;
        faults.failCode = ENOSPC;
        CVantrelFile4 other = samples::richChromatogram();
        other.formatVersion = 0;
        {
            platform::ScopedFileSystemCalls scope(faults);
            EXPECT_EQ(other.save(folder.path16("run.stg")), c.expected);
        }
        std::ifstream again(folder.path("run.stg"), std::ios::binary);
        EXPECT_EQ(std::string((std::istreambuf_iterator<char>(again)), {}), before);
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path("")), {}), 1);
    }

    // A read that fails half way is a failed load, never a shortened chromatogram.
    testing_support::FaultyCalls faults;
    faults.failing = testing_support::Op::Read;
    faults.failOnCall = 4;
    faults.readCap = 64;
    CVantrelFile4 loaded;
    platform::ScopedFileSystemCalls scope(faults);
    EXPECT_LT(loaded.load(folder.path16("run.stg")), 0);
}

TEST(CVantrelFile4, ObjectIsReusableAcrossReads)
{
    TempFolder folder;
    CVantrelFile4 rich = samples::richChromatogram();
    ASSERT_EQ(rich.save(folder.path16("rich.stg")), 0);

    CVantrelFile4 file;
    ASSERT_EQ(file.load(folder.path16("rich.stg")), 0);
    // A second document that carries only the sample: the rest of the passport's scalars stay,
    // its lists are emptied, and the channels are those of the new file.
    Block block;
    block.number = 9;
    ASSERT_EQ(parseImage(file, container(0, {block}, "<root><passport><sample value=\"Новая\"/></passport></root>")),
              0);
    EXPECT_EQ(file.passport.sample, u"Новая");
    EXPECT_EQ(file.passport.series, u"Серия 7");
    EXPECT_TRUE(file.passport.columns.empty());
    EXPECT_TRUE(file.passport.parameters.empty());
    ASSERT_EQ(file.channels.size(), 1u);
    EXPECT_EQ(file.channels[0].number, 9);
    EXPECT_EQ(file.formatVersion, 0);
}

TEST(CVantrelFile4, SaveWritesTheLowByteOfTheChannelNumber)
{
    CVantrelFile4 file;
    file.channels.resize(1);
    file.channels[0].number = 258;
    std::vector<unsigned char> image = samples::imageOf(file);
    CVantrelFile4 back;
    ASSERT_EQ(parseImage(back, image), 0);
    ASSERT_EQ(back.channels.size(), 1u);
    EXPECT_EQ(back.channels[0].number, 2);
}

} // namespace
