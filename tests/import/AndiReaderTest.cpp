// Reading ANDI files: one small file per variation seen in real exports, written by libnetcdf here,
// and the real exports themselves where their folder exists.
#include "AndiReader.h"
#include "AndiTestFile.h"
#include "ImportFiles.h"
#include "InjectionTime.h"

#include <gtest/gtest.h>
#include <netcdf.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>

namespace {

const char* const realFolder = "/work/shared/real/andi";

AndiReadResult readPath(const std::string& path, int64_t fileTime = 1234567890)
{
    std::string bytes;
    int64_t modified = 0;
    std::string error;
    EXPECT_TRUE(importfiles::readWhole(path, bytes, modified, error)) << error;
    return readAndi(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), fileTime);
}

AndiTestFile tableFile()
{
    AndiTestFile f;
    f.times = {60, 120, 180};
    f.areas = {100, 200, 300};
    f.heights = std::vector<double>{10, 20, 30};
    f.amounts = std::vector<double>{1.5, 2.5, 3.5};
    f.starts = std::vector<double>{55, 115, 175};
    f.ends = std::vector<double>{65, 125, 185};
    f.names = std::vector<std::string>{"Benzene", "Toluene", "Xylene"};
    f.signal = std::vector<double>(100, 1.0);
    return f;
}

bool hasWarning(const AndiRun& run, const std::string& part)
{
    for (const std::string& w : run.warnings)
        if (w.find(part) != std::string::npos)
            return true;
    return false;
}

TEST(AndiReader, PeakTableInMinutesWithEveryField)
{
    const std::string folder = testFolder("table");
    AndiReadResult result = readPath(tableFile().write(folder + "/t.cdf"));
    ASSERT_TRUE(result.run) << result.refusal;
    const AndiRun& run = *result.run;
    ASSERT_EQ(run.peaks.size(), 3u);
    EXPECT_TRUE(run.hasPeakTable);
    EXPECT_DOUBLE_EQ(run.peaks[1].time, 2.0);
    EXPECT_DOUBLE_EQ(run.peaks[1].area, 200);
    EXPECT_DOUBLE_EQ(run.peaks[1].height, 20);
    EXPECT_DOUBLE_EQ(run.peaks[1].concent, 2.5);
    EXPECT_NEAR(run.peaks[1].front, 115.0 / 60, 1e-6);
    EXPECT_NEAR(run.peaks[1].back, 125.0 / 60, 1e-6);
    EXPECT_EQ(run.peaks[2].name, u"Xylene");
    EXPECT_EQ(run.injectionTime, 1710232200);
    EXPECT_TRUE(run.warnings.empty());
}

TEST(AndiReader, TimeUnitFromEitherAttributeNameDefaultsToSeconds)
{
    struct Case {
        std::optional<std::string> attribute;
        std::string unit;
        double expectedMinutes;  // of a retention time written as 90
    };
    const Case cases[] = {
        {"retention_unit", "Minutes", 90},
        {"retention_unit", "time in MINUTES", 90},
        {"retention_units", "min", 90},          // misspelt attribute
        {"retention_units", "time in seconds", 1.5},
        {"retention_unit", "Time-Sec", 1.5},
        {"retention_unit", "", 1.5},
        {std::nullopt, "", 1.5},                 // no unit at all
    };
    const std::string folder = testFolder("units");
    for (const Case& c : cases) {
        AndiTestFile f = tableFile();
        f.unitAttribute = c.attribute;
        f.unit = c.unit;
        f.times = {90, 91, 92};
        f.starts.reset();
        f.ends.reset();
        AndiReadResult result = readPath(f.write(folder + "/u.cdf"));
        ASSERT_TRUE(result.run) << result.refusal;
        EXPECT_NEAR(result.run->peaks[0].time, c.expectedMinutes, 1e-9) << c.attribute.value_or("(none)") << " = " << c.unit;
        // The sampling interval is in the same unit: 0.5 per point.
        EXPECT_NEAR(result.run->signalTimes[2], c.expectedMinutes / 90 * 1.0, 1e-9) << c.unit;
    }
}

TEST(AndiReader, NamesPaddedWithNulsBlanksOrBothNarrowOrMissing)
{
    struct Case {
        std::string padding;
        std::size_t width;
        std::vector<std::string> written;
        std::vector<std::u16string> expected;
    };
    const Case cases[] = {
        {std::string(1, '\0'), 32, {"Fluoride", "  Chloride", "   "}, {u"Fluoride", u"Chloride", u""}},
        {" ", 32, {"Fluoride", "Chloride", ""}, {u"Fluoride", u"Chloride", u""}},
        {std::string(" \0", 2), 32, {"Fluoride", "Nitrate", "x"}, {u"Fluoride", u"Nitrate", u"x"}},
        // Only 12 characters wide: the rest of a long name is lost, what fits is kept.
        {" ", 12, {"Acetaldehyde-long", "Methanol", ""}, {u"Acetaldehyde", u"Methanol", u""}},
        // A NUL in the middle cuts the name there.
        {" ", 16, {std::string("Eth\0anol", 8), "B", "C"}, {u"Eth", u"B", u"C"}},
    };
    const std::string folder = testFolder("names");
    for (const Case& c : cases) {
        AndiTestFile f = tableFile();
        f.names = c.written;
        f.nameWidth = c.width;
        f.namePadding = c.padding;
        AndiReadResult result = readPath(f.write(folder + "/n.cdf"));
        ASSERT_TRUE(result.run) << result.refusal;
        for (std::size_t i = 0; i < 3; ++i)
            EXPECT_EQ(result.run->peaks[i].name, c.expected[i]) << "width " << c.width << " peak " << i;
    }
    AndiTestFile without = tableFile();
    without.names.reset();
    AndiReadResult result = readPath(without.write(folder + "/none.cdf"));
    ASSERT_TRUE(result.run);
    ASSERT_EQ(result.run->peaks.size(), 3u);
    EXPECT_TRUE(result.run->peaks[0].name.empty());
}

TEST(AndiReader, AmountsWithoutValueBecomeZeroWithAWarning)
{
    const std::string folder = testFolder("amounts");
    AndiTestFile f = tableFile();
    f.times = {10, 20, 30, 40, 50, 60};
    f.areas = {1, 2, 3, 4, 5, 6};
    f.heights.reset();
    f.starts.reset();
    f.ends.reset();
    f.names.reset();
    f.amounts = std::vector<double>{std::numeric_limits<double>::infinity(), std::nan(""), -9999,
                                    static_cast<double>(NC_FILL_FLOAT), 7.25, 0};
    AndiReadResult result = readPath(f.write(folder + "/a.cdf"));
    ASSERT_TRUE(result.run) << result.refusal;
    const std::vector<double> expected = {0, 0, 0, 0, 7.25, 0};
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(result.run->peaks[i].concent, expected[i]) << i;
    EXPECT_TRUE(hasWarning(*result.run, "4 peaks have no amount"));
}

TEST(AndiReader, PeakDimensionFixedUnlimitedEmptyOrAbsent)
{
    const std::string folder = testFolder("dimension");
    for (PeakDimension dimension : {PeakDimension::UnlimitedEmpty, PeakDimension::Absent}) {
        AndiTestFile f = tableFile();
        f.peakDimension = dimension;
        f.names.reset();
        AndiReadResult result = readPath(f.write(folder + "/d.cdf"));
        ASSERT_TRUE(result.run) << result.refusal;
        EXPECT_FALSE(result.run->hasPeakTable);
        EXPECT_TRUE(result.run->peaks.empty());
        EXPECT_EQ(result.run->signalValues.size(), 100u);
        // Without a signal either, there is nothing to import.
        f.signal.clear();
        result = readPath(f.write(folder + "/d.cdf"));
        EXPECT_FALSE(result.run);
        EXPECT_NE(result.refusal.find("neither a raw signal"), std::string::npos) << result.refusal;
    }
}

TEST(AndiReader, SignalTimesFromDelayAndIntervalOrExplicit)
{
    const std::string folder = testFolder("signal");
    AndiTestFile f = tableFile();
    f.delay = -3;           // seconds; the run may start before the injection mark
    f.interval = 0.25;
    f.signal = {1, 2, 3, 4};
    AndiReadResult result = readPath(f.write(folder + "/s.cdf"));
    ASSERT_TRUE(result.run);
    ASSERT_EQ(result.run->signalTimes.size(), 4u);
    EXPECT_NEAR(result.run->signalTimes[0], -3.0 / 60, 1e-12);
    EXPECT_NEAR(result.run->signalTimes[3], (-3 + 0.75) / 60, 1e-12);
    EXPECT_NEAR(result.run->samplingMinutes, 0.25 / 60, 1e-12);

    f.explicitTimes = std::vector<double>{0, 1, 3, 6};
    result = readPath(f.write(folder + "/s.cdf"));
    ASSERT_TRUE(result.run);
    EXPECT_NEAR(result.run->signalTimes[2], 3.0 / 60, 1e-12);
    EXPECT_EQ(result.run->samplingMinutes, 0);

    f.explicitTimes = std::vector<double>{0, 2, 1, 6};  // times that go back are no time axis
    result = readPath(f.write(folder + "/s.cdf"));
    ASSERT_TRUE(result.run);
    EXPECT_TRUE(result.run->signalValues.empty());
    EXPECT_TRUE(hasWarning(*result.run, "do not increase"));
}

TEST(AndiReader, NumbersStoredAsTextOrFloatAttributes)
{
    const std::string folder = testFolder("numbers");
    for (int form = 0; form < 2; ++form) {
        AndiTestFile f = tableFile();
        f.interval = 0.125;
        f.intervalAsTextAttribute = form == 0;
        f.intervalAsFloatAttribute = form == 1;
        AndiReadResult result = readPath(f.write(folder + "/n.cdf"));
        ASSERT_TRUE(result.run) << result.refusal;
        ASSERT_GE(result.run->signalTimes.size(), 2u);
        EXPECT_NEAR(result.run->signalTimes[1], 0.125 / 60, 1e-12) << (form == 0 ? "text" : "float");
    }
}

TEST(AndiReader, TextAttributesCutAtNulAndTrimmed)
{
    const std::string folder = testFolder("attributes");
    AndiTestFile f = tableFile();
    f.text["sample_name"] = std::string("  Sample 7  \0garbage", 20);
    f.text["detector_name"] = "FID\t";
    AndiReadResult result = readPath(f.write(folder + "/a.cdf"));
    ASSERT_TRUE(result.run);
    EXPECT_EQ(result.run->sampleName, u"Sample 7");
    EXPECT_EQ(result.run->detectorName, u"FID");
}

TEST(AndiReader, PlaceholderInjectionDatesFallBackWithAWarning)
{
    struct Case {
        std::string stamp;
        std::optional<std::string> vendor;
        int64_t expected;
        bool warned;
    };
    const int64_t fileTime = 1600000000;
    const Case cases[] = {
        {"20240312083000+0000", std::nullopt, 1710232200, false},
        {"19921225035847-0800", std::nullopt, secondsSince1970(1992, 12, 25, 11, 58, 47), false},
        {"1900,01,01,00:00:00+0000", std::string("08/02/1985   15:10"), secondsSince1970(1985, 8, 2, 15, 10, 0), true},
        {"39910409093300+0000", std::nullopt, fileTime, true},
        {"19000101000000+0000", std::string("30-Oct-18, 17:43:05"), secondsSince1970(2018, 10, 30, 17, 43, 5), true},
        {"garbage", std::string("not a date"), fileTime, true},
        {"", std::nullopt, fileTime, true},
    };
    const std::string folder = testFolder("dates");
    for (const Case& c : cases) {
        AndiTestFile f = tableFile();
        f.text["injection_date_time_stamp"] = c.stamp;
        if (c.vendor)
            f.text["HP_injection_time"] = *c.vendor;
        AndiReadResult result = readPath(f.write(folder + "/d.cdf"), fileTime);
        ASSERT_TRUE(result.run);
        EXPECT_EQ(result.run->injectionTime, c.expected) << c.stamp;
        EXPECT_EQ(hasWarning(*result.run, "injection time"), c.warned) << c.stamp;
    }
}

TEST(AndiReader, RefusesMassSpectraNonNetCdfAndTruncatedFiles)
{
    const std::string folder = testFolder("refusals");
    AndiTestFile ms = tableFile();
    ms.massSpectrometry = true;
    AndiReadResult result = readPath(ms.write(folder + "/ms.cdf"));
    EXPECT_FALSE(result.run);
    EXPECT_EQ(result.refusal, "mass-spectrometry file; only chromatography files can be imported");

    const std::string text = "Sample,Time\n1,2\n";
    result = readAndi(reinterpret_cast<const unsigned char*>(text.data()), text.size(), 0);
    EXPECT_FALSE(result.run);
    EXPECT_EQ(result.refusal, "not a netCDF file");

    // Every cut of a good file is refused or read without the damaged part: whatever is taken is
    // what was written, never the zeros of a missing tail.
    AndiTestFile big = tableFile();
    big.signal.assign(2000, 3.0);
    big.names.reset();
    std::ifstream in(big.write(folder + "/big.cdf"), std::ios::binary);
    std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    int refused = 0;
    for (std::size_t cut = 0; cut < bytes.size(); cut += 97) {
        AndiReadResult r = readAndi(bytes.data(), cut, 0);
        if (!r.run) {
            ++refused;
            EXPECT_FALSE(r.refusal.empty());
        } else {
            for (double v : r.run->signalValues)
                ASSERT_EQ(v, 3.0) << "a signal cut at " << cut << " was read past the end";
            for (std::size_t i = 0; i < r.run->peaks.size(); ++i) {
                ASSERT_EQ(r.run->peaks[i].area, big.areas[i]) << "a table cut at " << cut;
                ASSERT_EQ(r.run->peaks[i].concent, (*big.amounts)[i]) << "a table cut at " << cut;
            }
        }
    }
    EXPECT_GT(refused, 0);
}

// A header that claims more than the file holds is refused before the library sizes its tables
// from it (gigabytes for a few bytes of file).
TEST(AndiReader, HeaderCountsBeyondTheFileAreRefused)
{
    const std::string folder = testFolder("header");
    std::ifstream in(tableFile().write(folder + "/h.cdf"), std::ios::binary);
    const std::vector<unsigned char> good((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::string name = "ordinate_values";
    auto at = std::search(good.begin(), good.end(), name.begin(), name.end());
    ASSERT_NE(at, good.end());
    // After the name, padded to four bytes, comes the variable's dimension count.
    const std::size_t countAt = static_cast<std::size_t>(at - good.begin()) + (name.size() + 3) / 4 * 4;
    struct Case {
        std::size_t offset;
        std::vector<unsigned char> bytes;
        const char* what;
    };
    const Case cases[] = {
        {countAt, {0x7F, 0xFF, 0xFF, 0xFF}, "dimension count of a variable"},
        {countAt - (name.size() + 3) / 4 * 4 - 4, {0x40, 0x00, 0x00, 0x00}, "length of a variable name"},
        {4 + 4 + 4, {0x10, 0x00, 0x00, 0x00}, "number of dimensions"},
        {3, {9}, "format version"},
    };
    for (const Case& c : cases) {
        std::vector<unsigned char> bad = good;
        std::copy(c.bytes.begin(), c.bytes.end(), bad.begin() + static_cast<std::ptrdiff_t>(c.offset));
        AndiReadResult result = readAndi(bad.data(), bad.size(), 0);
        EXPECT_FALSE(result.run) << c.what;
        EXPECT_FALSE(result.refusal.empty()) << c.what;
    }
    EXPECT_TRUE(readAndi(good.data(), good.size(), 0).run);
}

TEST(AndiReader, PeakBoundsWrittenAsPointNumbersAreConverted)
{
    const std::string folder = testFolder("points");
    AndiTestFile f = tableFile();
    f.unit = "Minutes";
    f.interval = 0.01;                       // minutes per point
    f.times = {1.0, 2.0, 3.0};
    f.starts = std::vector<double>{95, 195, 295};
    f.ends = std::vector<double>{105, 205, 305};
    AndiReadResult result = readPath(f.write(folder + "/p.cdf"));
    ASSERT_TRUE(result.run);
    EXPECT_NEAR(result.run->peaks[1].front, 1.95, 1e-6);
    EXPECT_NEAR(result.run->peaks[1].back, 2.05, 1e-6);
    EXPECT_TRUE(hasWarning(*result.run, "point numbers"));
}

// The vendors' own exports. What each holds was read off the files with ncdump.
TEST(AndiReader, RealExports)
{
    if (!std::filesystem::is_directory(realFolder))
        GTEST_SKIP() << "skipped: the real ANDI exports are not at " << realFolder;
    struct Case {
        const char* file;
        std::size_t peaks;           // 0: refused or raw only
        bool refused;
        bool hasSignal;
        const char16_t* firstName;
        double firstTimeMinutes;
    };
    const Case cases[] = {
        {"CAL_3.CDF", 7, false, true, nullptr, -1},
        {"CLASS10.CDF", 15, false, true, nullptr, 86.34 / 60},
        {"CLASSVP.CDF", 7, false, true, nullptr, 1.670833},
        {"DIONEX.CDF", 7, false, true, u"Fluoride", 0.9},
        {"WAT_490.CDF", 4, false, true, nullptr, 92.0 / 60},
        {"HP-CH.CDF", 19, false, true, u"", -1},
        {"agilent-hplc.cdf", 8, false, true, u"", -1},
        {"SOLV001.CDF", 13, false, true, nullptr, -1},
        {"EXAMPLE.CDF", 0, false, true, nullptr, -1},
        {"tgntpe41.cdf", 0, false, true, nullptr, -1},
        {"HP_MS.CDF", 0, true, false, nullptr, -1},
    };
    for (const Case& c : cases) {
        const std::string path = std::string(realFolder) + "/" + c.file;
        if (!std::filesystem::exists(path)) {
            ADD_FAILURE() << path << " is missing from the folder of real exports";
            continue;
        }
        AndiReadResult result = readPath(path);
        EXPECT_EQ(!result.run, c.refused) << c.file << ": " << result.refusal;
        if (!result.run)
            continue;
        const AndiRun& run = *result.run;
        EXPECT_EQ(run.peaks.size(), c.peaks) << c.file;
        EXPECT_EQ(!run.signalValues.empty(), c.hasSignal) << c.file;
        if (c.firstName && !run.peaks.empty()) {
            EXPECT_EQ(run.peaks[0].name, c.firstName) << c.file;
        }
        if (c.firstTimeMinutes >= 0 && !run.peaks.empty()) {
            EXPECT_NEAR(run.peaks[0].time, c.firstTimeMinutes, 1e-4) << c.file;
        }
        for (const Peak& p : run.peaks) {
            EXPECT_TRUE(std::isfinite(p.area) && std::isfinite(p.concent) && std::isfinite(p.height)) << c.file;
            EXPECT_GE(p.time, 0) << c.file;
            EXPECT_LT(p.time, 60) << c.file << ": retention times are minutes";
        }
        EXPECT_GE(run.injectionTime, secondsSince1970(1970, 1, 1, 0, 0, 0)) << c.file;
        EXPECT_LE(run.injectionTime, secondsSince1970(2100, 12, 31, 23, 59, 59)) << c.file;
    }
}

} // namespace
