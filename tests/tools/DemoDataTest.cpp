// The demo must show something on every tab: calibrations that fit, concentrations, a component
// the sample lacks, and exactly the two warnings it was built for. The calculation itself is run
// on what the generator wrote, through the same loader the plug-in uses.
#include "DemoDataWriter.h"
#include "DemoMethod.h"

#include "engine/Calculation.h"
#include "engine/ComponentTable.h"
#include "engine/MessageLog.h"
#include "input/AssayLoader.h"
#include "input/CVantrelFile4.h"
#include "platform/Text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

class DemoDataTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        std::setlocale(LC_ALL, "");
        std::string pattern = (std::filesystem::temp_directory_path() / "vexol-demo-XXXXXX").string();
        folder = mkdtemp(pattern.data());
        folder16 = platform::utf8ToUtf16(folder);
        std::u16string error;
        written = DemoDataWriter::write(folder16, true, error);
        writeError = platform::utf16ToUtf8(error);
    }
    static void TearDownTestSuite() { std::filesystem::remove_all(folder); }

    void SetUp() override { ASSERT_TRUE(written) << writeError; }

    static AssayMap loadAll()
    {
        AssayMap assays;
        std::u16string database = DemoDataWriter::databasePath(folder16);
        DataBase::Connection connection(database.c_str());
        for (int32_t id = 1; id <= static_cast<int32_t>(DemoMethod::runs().size()); ++id) {
            int32_t fileResult = -100;
            std::optional<AssayRecord> record = loadAssay(connection, id, &fileResult);
            EXPECT_TRUE(record.has_value()) << id;
            EXPECT_EQ(fileResult, 0) << id;
            if (record)
                assays.emplace(id, *record);
        }
        return assays;
    }

    static inline std::string folder;
    static inline std::u16string folder16;
    static inline bool written = false;
    static inline std::string writeError;
};

int countContaining(const MessageList& messages, std::initializer_list<std::u16string_view> parts)
{
    int count = 0;
    for (std::u16string_view message : messages) {
        bool all = true;
        for (std::u16string_view part : parts)
            all = all && message.find(part) != std::u16string_view::npos;
        count += all ? 1 : 0;
    }
    return count;
}

TEST_F(DemoDataTest, CalculationShowsResultsAndExactlyTheIntendedWarnings)
{
    AssayMap assays = loadAll();
    ASSERT_EQ(assays.size(), 8u);
    for (const auto& [id, record] : assays) {
        EXPECT_EQ(record.channelPeaks.size(), 2u) << id;
        EXPECT_EQ(record.volume, 1.0) << id;
    }
    ComponentList components;
    ASSERT_TRUE(ComponentTable::loadFrom(DemoDataWriter::componentTablePath(folder16), components));
    ASSERT_EQ(components.size(), 8u);

    PluginSettings settings;
    settings.unitMode = 0;
    settings.devControl = true;
    MessageLog log;
    CalculationResult result = runCalculation(assays, components, settings, log);

    EXPECT_TRUE(log.errors().empty()) << platform::utf16ToUtf8(log.errors().front());
    EXPECT_EQ(log.warnings().size(), 2u);
    if (log.warnings().size() != 2u)
        for (std::u16string_view warning : log.warnings())
            std::fprintf(stderr, "warning: %s\n", platform::utf16ToUtf8(warning).c_str());
    EXPECT_EQ(countContaining(log.warnings(), {u"cal_level2_run2.stg", u"Изобутанол", u"канал 2 - время выхода вне окна"}), 1);
    EXPECT_EQ(countContaining(log.warnings(), {u"cal_level1_run2.stg", u"2-Пропанол", u"отклик каналов различается"}), 1);

    ASSERT_EQ(result.calibration.size(), 8u);
    for (const CalibrationRow& row : result.calibration) {
        EXPECT_TRUE(row.fitted) << platform::utf16ToUtf8(row.name);
        EXPECT_EQ(row.pointCount, 3) << platform::utf16ToUtf8(row.name);
    }
    ASSERT_EQ(result.quantitation.size(), 8u);
    std::size_t row = 0;
    for (const DemoCompound& compound : DemoMethod::compounds()) {
        if (!compound.inTable)
            continue;
        const QuantitationRow& q = result.quantitation[row++];
        SCOPED_TRACE(platform::utf16ToUtf8(compound.name));
        if (compound.sample == 0) {
            EXPECT_FALSE(q.detected);
        } else {
            EXPECT_TRUE(q.valid);
            EXPECT_EQ(q.contributions, 2);
            EXPECT_NEAR(q.concentration, compound.sample, 0.06 * compound.sample + 0.3);
        }
    }
}

// What the peak tables say is what the signal shows: the area above the baseline between a peak's
// edges is the area in its table.
TEST_F(DemoDataTest, SignalMatchesThePeakTables)
{
    CVantrelFile4 file;
    std::u16string path = DemoDataWriter::chromatogramFolder(folder16) + u"/" + DemoMethod::runs()[0].fileName;
    ASSERT_EQ(file.load(path), 0);
    ASSERT_EQ(file.channels.size(), 2u);
    for (const Channel& channel : file.channels) {
        ASSERT_GT(channel.signal.samples.size(), 8000u);
        ASSERT_GE(channel.peaks.size(), 10u);
        for (const Peak& peak : channel.peaks) {
            SCOPED_TRACE(platform::utf16ToUtf8(peak.name));
            ASSERT_GE(peak.left, 0);
            ASSERT_LT(static_cast<std::size_t>(peak.right), channel.signal.samples.size());
            double area = 0;
            for (int i = peak.left; i <= peak.right; ++i) {
                double fraction = static_cast<double>(i - peak.left) / (peak.right - peak.left);
                double baseline = peak.front_base_height + fraction * (peak.back_base_height - peak.front_base_height);
                area += (channel.signal.samples[static_cast<std::size_t>(i)] - baseline) * channel.signal.valueA;
            }
            EXPECT_NEAR(area, peak.area, 0.03 * peak.area + 2.0);
            double apex = channel.signal.samples[static_cast<std::size_t>(std::lround(peak.time * 600.0))];
            EXPECT_NEAR(apex - peak.front_base_height, peak.height, 0.05 * peak.height + 6.0);
        }
    }
}

// The installation ships the demo's component table as its sample; the two must not drift apart.
TEST_F(DemoDataTest, ShippedSampleTableIsTheDemoTable)
{
    const auto bytes = [](const std::filesystem::path& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    const std::string written = bytes(platform::utf16ToUtf8(DemoDataWriter::componentTablePath(folder16)));
    ASSERT_FALSE(written.empty());
    EXPECT_EQ(bytes(VEXOL_SOURCE_DIR "/data/CompsTableVexol.csv"), written);
}

} // namespace
