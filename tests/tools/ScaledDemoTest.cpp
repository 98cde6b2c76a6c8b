// A generated workspace of a chosen size: the counts asked for, every compound identified and
// calibrated in every run, and, with --warn-all, exactly one deviation warning per compound and
// calibration run (and nothing else). The calculation runs on what the generator wrote.
#include "DemoDataWriter.h"
#include "DemoMethod.h"
#include "DemoOptions.h"

#include "engine/Calculation.h"
#include "engine/ComponentTable.h"
#include "engine/MessageLog.h"
#include "input/AssayLoader.h"
#include "platform/Text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <filesystem>

namespace {

struct Written {
    std::string folder;
    AssayMap assays;
    ComponentList components;
};

Written writeAndLoad(const DemoScale& scale)
{
    Written w;
    std::string pattern = (std::filesystem::temp_directory_path() / "vexol-scaled-XXXXXX").string();
    w.folder = mkdtemp(pattern.data());
    const std::u16string folder16 = platform::utf8ToUtf16(w.folder);
    std::u16string error;
    const DemoPlan plan = DemoPlan::scaled(scale);
    EXPECT_TRUE(DemoDataWriter::write(folder16, plan, true, error)) << platform::utf16ToUtf8(error);
    EXPECT_TRUE(ComponentTable::loadFrom(DemoDataWriter::componentTablePath(folder16), w.components));
    const std::u16string database = DemoDataWriter::databasePath(folder16);
    DataBase::Connection connection(database.c_str());
    for (int32_t id = 1; id <= static_cast<int32_t>(plan.runs.size()); ++id) {
        int32_t fileResult = -100;
        std::optional<AssayRecord> record = loadAssay(connection, id, &fileResult);
        EXPECT_TRUE(record.has_value() && fileResult == 0) << id;
        if (record)
            w.assays.emplace(id, *record);
    }
    return w;
}

PluginSettings demoSettings()
{
    PluginSettings settings;
    settings.unitMode = 0;
    settings.devControl = true;
    return settings;
}

class ScaledDemo : public ::testing::Test {
protected:
    void SetUp() override { std::setlocale(LC_ALL, ""); }
    void TearDown() override
    {
        if (!written.folder.empty())
            std::filesystem::remove_all(written.folder);
    }
    Written written;
};

} // namespace

TEST_F(ScaledDemo, HasTheAskedSizeAndCalculatesWithoutWarnings)
{
    written = writeAndLoad({.assays = 20, .components = 12, .peaks = 40, .warnAll = false});
    ASSERT_EQ(written.assays.size(), 20u);
    ASSERT_EQ(written.components.size(), 12u);
    int calibration = 0;
    for (const auto& [id, record] : written.assays) {
        calibration += record.isCalibration ? 1 : 0;
        ASSERT_EQ(record.channelPeaks.size(), 2u) << id;
        for (const auto& [channel, table] : record.channelPeaks)
            EXPECT_EQ(table.size(), 40u) << id << " channel " << channel;
        EXPECT_EQ(record.peaks.size(), 12u) << id;  // the host names the compounds only
    }
    EXPECT_EQ(calibration, 18);

    MessageLog log;
    const CalculationResult result = runCalculation(written.assays, written.components, demoSettings(), log);
    EXPECT_TRUE(log.errors().empty());
    EXPECT_TRUE(log.warnings().empty()) << platform::utf16ToUtf8(log.warnings().front());
    for (const auto& [id, rows] : result.identification)
        for (const IdentificationRow& row : rows)
            EXPECT_TRUE(row.identified) << id << " " << platform::utf16ToUtf8(row.name);
    ASSERT_EQ(result.calibration.size(), 12u);
    for (const CalibrationRow& row : result.calibration) {
        EXPECT_TRUE(row.fitted);
        EXPECT_EQ(row.pointCount, 16);  // 18 runs over 16 levels
    }
    ASSERT_EQ(result.quantitation.size(), 12u);
    for (const QuantitationRow& row : result.quantitation)
        EXPECT_TRUE(row.valid);
}

TEST_F(ScaledDemo, WarnAllWarnsOnceForEveryCompoundInEveryCalibrationRun)
{
    written = writeAndLoad({.assays = 6, .components = 5, .peaks = 9, .warnAll = true});
    MessageLog log;
    runCalculation(written.assays, written.components, demoSettings(), log);
    ASSERT_EQ(log.warnings().size(), 4u * 5u);
    for (std::u16string_view warning : log.warnings())
        EXPECT_TRUE(warning.starts_with(u"cal_level") && warning.ends_with(u"(норма 5.0%)."))
            << platform::utf16ToUtf8(warning);
}

TEST(DemoArguments, SizeOptionsTakeWholePositiveCounts)
{
    const DemoArgumentsParse full =
        parseDemoArguments({"--assays", "256", "--components=200", "--peaks", "1000", "--warn-all", "out"});
    ASSERT_EQ(full.error, "");
    EXPECT_EQ(full.options.assays, 256);
    EXPECT_EQ(full.options.components, 200);
    EXPECT_EQ(full.options.peaks, 1000);
    EXPECT_TRUE(full.options.warnAll);
    EXPECT_EQ(full.options.folder, "out");

    const DemoArgumentsParse plain = parseDemoArguments({"out"});
    ASSERT_EQ(plain.error, "");
    EXPECT_EQ(plain.options.assays, 0);
    EXPECT_FALSE(plain.options.warnAll);

    for (const std::vector<std::string>& bad :
         {std::vector<std::string>{"--assays", "0", "out"}, {"--assays", "-3", "out"}, {"--peaks", "12x", "out"},
          {"--components", "100001", "out"}, {"--components", "", "out"}, {"out", "--peaks"},
          {"--warn-all=1", "out"}})
        EXPECT_NE(parseDemoArguments(bad).error, "") << bad.front() << " " << bad[1];
}
