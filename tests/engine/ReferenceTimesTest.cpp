#include <gtest/gtest.h>

#include "TestWorkspace.h"
#include "engine/Calculation.h"
#include "engine/MessageLog.h"

namespace {
const std::u16string fewCalibrations1 = u"Для градуировки требуется не менее 2 градуировочных хроматограмм, загружено 1.";
const std::u16string noCalibration = u"Нет градуировочных хроматограмм для расчета эталонного времени.";
}

TEST(ReferenceTimes, MeanOfTheNearestMatchingPeaksOverCalibrationChromatograms)
{
    AssayMap assays;
    assays[1] = calibrationAssay(u"/d/c1.dat", {namedPeak(u"A", 5.10), namedPeak(u"A", 9.0)}, {namedPeak(u"A", 7.0)});
    assays[2] = calibrationAssay(u"/d/c2.dat", {namedPeak(u"B", 5.0), namedPeak(u" a ", 5.20)}, {});
    assays[3] = calibrationAssay(u"/d/c3.dat", {namedPeak(u"B", 5.0)}, {});  // never found here
    ComponentList components{component(u"A", 5.0, 10, 6.8, 10), component(u"B", 4.0, 10, 3.0, 10)};
    MessageLog log;
    CalculationResult result = runCalculation(assays, components, PluginSettings(), log);
    for (const auto& [id, rows] : result.identification) {
        ASSERT_EQ(rows.size(), 2u);
        EXPECT_DOUBLE_EQ(rows[0].refTime1, 5.15);
        EXPECT_DOUBLE_EQ(rows[0].refTime2, 7.0);   // one chromatogram is enough
        EXPECT_DOUBLE_EQ(rows[1].refTime1, 5.0);
        EXPECT_DOUBLE_EQ(rows[1].refTime2, 3.0);   // never seen: the table time stands
    }
    EXPECT_TRUE(result.hasCalibration);
    EXPECT_EQ(log.errors(), std::vector<std::u16string>{u"Для расчета требуется 2 аналитические хроматограммы, загружено 0."});
}

TEST(ReferenceTimes, NonPositiveTableTimesAreKeptAndNeverSearched)
{
    AssayMap assays;
    assays[1] = calibrationAssay(u"c1.dat", {namedPeak(u"A", 5.0)}, {namedPeak(u"A", 5.0)});
    ComponentList components{component(u"A", 0, 10, -2, 10)};
    MessageLog log;
    CalculationResult result = runCalculation(assays, components, PluginSettings(), log);
    const IdentificationRow& row = result.identificationOf(1).at(0);
    EXPECT_EQ(row.refTime1, 0);
    EXPECT_EQ(row.refTime2, -2);
    EXPECT_FALSE(row.found1);
    EXPECT_FALSE(row.found2);
    EXPECT_TRUE(log.warnings().empty());  // not searched, so no out-of-window warning either
}

TEST(ReferenceTimes, OneCalibrationChromatogramGivesTheErrorAndStillTheTimes)
{
    AssayMap assays;
    assays[4] = calibrationAssay(u"c.dat", {namedPeak(u"A", 5.3)}, {namedPeak(u"A", 5.4)}, false);
    ComponentList components{component(u"A", 5.0, 10, 5.0, 10)};
    MessageLog log;
    CalculationResult result = runCalculation(assays, components, PluginSettings(), log);
    EXPECT_EQ(log.errors().front(), fewCalibrations1);
    const IdentificationRow& row = result.identificationOf(4).at(0);
    EXPECT_DOUBLE_EQ(row.refTime1, 5.3);
    EXPECT_DOUBLE_EQ(row.refTime2, 5.0);  // the assay has no second channel table
}

TEST(ReferenceTimes, NoCalibrationChromatogramKeepsTheTableTimes)
{
    AssayMap assays;
    assays[1] = analysisAssay(u"a1.dat", {namedPeak(u"A", 5.3)});
    ComponentList components{component(u"A", 5.0, 10, 6.0, 10, 1)};
    MessageLog log;
    CalculationResult result = runCalculation(assays, components, PluginSettings(), log);
    EXPECT_FALSE(result.hasCalibration);
    EXPECT_TRUE(result.identification.empty());
    EXPECT_TRUE(result.identificationOf(1).empty());
    ASSERT_EQ(log.errors().size(), 2u);
    EXPECT_EQ(log.errors()[0], u"Для градуировки требуется не менее 2 градуировочных хроматограмм, загружено 0.");
    EXPECT_EQ(log.warnings(), std::vector<std::u16string>{noCalibration});
    ASSERT_EQ(result.calibration.size(), 1u);
    EXPECT_FALSE(result.calibration[0].fitted);
}

TEST(CalculationPass, EmptyWorkspaceAndTableGiveTwoErrorsAndOneWarning)
{
    MessageLog log;
    CalculationResult result = runCalculation(AssayMap(), ComponentList(), PluginSettings(), log);
    EXPECT_TRUE(result.calibration.empty());
    EXPECT_TRUE(result.quantitation.empty());
    std::vector<std::u16string> expected{
        u"Ошибки:",
        u"    1. Для градуировки требуется не менее 2 градуировочных хроматограмм, загружено 0.",
        u"    2. Для расчета требуется 2 аналитические хроматограммы, загружено 0.",
        u"Предупреждения:",
        u"    3. Нет градуировочных хроматограмм для расчета эталонного времени."};
    EXPECT_EQ(log.displayLines(), expected);
}

TEST(CalculationPass, WithoutExplicitLogWritesToTheRegisteredOne)
{
    MessageLog log;
    setTheMessageLog(&log);
    runCalculation(AssayMap(), ComponentList(), PluginSettings());
    setTheMessageLog(nullptr);
    EXPECT_EQ(log.errors().size(), 2u);
    // Without a registered log the pass still runs, with a log of its own.
    EXPECT_NO_THROW(runCalculation(AssayMap(), ComponentList(), PluginSettings()));
}
