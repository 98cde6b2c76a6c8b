#include "ChromatogramSamples.h"

#include "input/ByteOrder.h"
#include "platform/Text.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace samples {

Peak peak(double time, double area, const std::u16string& name)
{
    Peak p;
    p.time = time;
    p.area = area;
    p.name = name;
    return p;
}

CVantrelFile4 richChromatogram()
{
    CVantrelFile4 file;
    file.formatVersion = 1;
    Passport& p = file.passport;
    p.assayid = u"6f1c2a9e-0d4b-4c1e-9a57-3b2e8f0c1d22";
    p.series = u"Серия 7";
    p.andate = 1700000000;
    p.duration = 25.5;
    p.sample = u"Водка «Столичная»";
    p.method = u"ГОСТ 30536";
    p.graduation = true;
    p.date = -5;
    p.defect = false;
    p.mixture = u"Смесь <1> & \"2\"";
    ColumnDescription column;
    column.channel = 1;
    column.name = u"HP-FFAP";
    column.brand = u"Agilent";
    column.type = 3;
    column.diameter = 0.32;
    column.length = 50;
    column.carrier = u"азот";
    column.phase = u"FFAP";
    column.percent = 0.1;
    column.unit = 2;
    column.fraction0 = 1e-300;
    column.fraction1 = -2.5e10;
    column.film = 0.5;
    column.part = u"19091F-105";
    column.serial = u"US1234";
    p.columns.push_back(column);
    p.parameters.push_back({u"volume", u"Объём пробы", u"2.5"});
    p.parameters.push_back({u"operator", u"Оператор", u"Иванова"});

    Channel one;
    one.number = 1;
    one.signal.samples = {0u, 1u, 0xFFFFFFFFu, 0x80000000u, 12345u};
    one.signal.valueA = 0.25;
    one.signal.valueB = -1e-7;
    Peak a = peak(3.25, 1234.5, u"метанол");
    a.front = 3.1;
    a.back = 3.4;
    a.height = 99.75;
    a.concent = 0.1;
    a.reference = true;
    a.left = 10;
    a.right = -20;
    a.flags = 0xFFFFFFFFu;
    a.front_base_height = 1.5;
    a.back_base_height = -2.25;
    a.index = 765.4321;
    one.peaks = {a, peak(4.5, 10, u"")};

    Channel two;
    two.number = 2;
    two.signal.samples = {7u, 8u};
    two.signal.valueA = 100;
    two.peaks = {peak(5.0, 20, u"этанол")};
    file.channels.push_back(std::move(one));
    file.channels.push_back(std::move(two));
    return file;
}

std::vector<unsigned char> imageOf(CVantrelFile4& file)
{
    TempFolder folder;
    EXPECT_EQ(file.save(folder.path16("image.stg")), 0);
    return readBytes(folder.path("image.stg"));
}

std::vector<unsigned char> container(uint8_t version, const std::vector<Block>& blocks, const std::string& xml,
                                     uint64_t binaryLength)
{
    std::vector<unsigned char> out(16, 0);
    out[0] = 'S';
    out[1] = 'T';
    out[2] = 'G';
    out[3] = version;
    uint64_t length = 16;
    for (const Block& block : blocks)
        length += 32 + 4 * block.samples.size();
    byteorder::writeU64(out.data() + 8, binaryLength == UINT64_MAX ? length : binaryLength);
    for (const Block& block : blocks) {
        unsigned char header[32] = {};
        header[0] = block.number;
        byteorder::writeF64(header + 8, block.valueA);
        byteorder::writeF64(header + 16, block.valueB);
        byteorder::writeU64(header + 24, block.announcedCount == UINT64_MAX ? block.samples.size() : block.announcedCount);
        out.insert(out.end(), header, header + 32);
        for (uint32_t word : block.samples)
            for (int i = 0; i < 4; ++i)
                out.push_back(static_cast<unsigned char>(word >> (8 * i)));
    }
    out.insert(out.end(), xml.begin(), xml.end());
    return out;
}

TempFolder::TempFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "vexol-input-XXXXXX").string();
    char* made = mkdtemp(pattern.data());
    if (!made)
        throw std::runtime_error("no temporary folder");
    folder_ = made;
}

TempFolder::~TempFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

std::u16string TempFolder::path16(const std::string& name) const
{
    return platform::utf8ToUtf16(path(name));
}

void writeBytes(const std::string& path, const std::vector<unsigned char>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::vector<unsigned char> readBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void expectSamePeaks(const std::vector<Peak>& expected, const std::vector<Peak>& actual)
{
    ASSERT_EQ(expected.size(), actual.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE("peak " + std::to_string(i));
        const Peak& e = expected[i];
        const Peak& a = actual[i];
        EXPECT_EQ(e.front, a.front);
        EXPECT_EQ(e.back, a.back);
        EXPECT_EQ(e.time, a.time);
        EXPECT_EQ(e.area, a.area);
        EXPECT_EQ(e.height, a.height);
        EXPECT_EQ(e.concent, a.concent);
        EXPECT_EQ(e.name, a.name);
        EXPECT_EQ(e.reference, a.reference);
        EXPECT_EQ(e.left, a.left);
        EXPECT_EQ(e.right, a.right);
        EXPECT_EQ(e.flags, a.flags);
        EXPECT_EQ(e.front_base_height, a.front_base_height);
        EXPECT_EQ(e.back_base_height, a.back_base_height);
        EXPECT_EQ(e.index, a.index);
    }
}

void expectSameChannels(const std::vector<Channel>& expected, const std::vector<Channel>& actual)
{
    ASSERT_EQ(expected.size(), actual.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE("channel " + std::to_string(i));
        EXPECT_EQ(expected[i].number, actual[i].number);
        EXPECT_TRUE(expected[i].signal == actual[i].signal);
        expectSamePeaks(expected[i].peaks, actual[i].peaks);
    }
}

} // namespace samples
