#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <random>

#include "TestWorkspace.h"
#include "engine/Calculation.h"
#include "engine/MessageLog.h"

namespace {

const std::u16string tooFewA = u"\"A\": для градуировки нужно не менее 2 разных концентраций.";

// Calibration chromatograms with the component A on channel 1 only, one (area, concentration) each.
AssayMap calibrations(const std::vector<std::pair<double, double>>& areaAndConcentration)
{
    AssayMap assays;
    int id = 100;
    for (const auto& [area, concentration] : areaAndConcentration)
        assays[id++] = calibrationAssay(u"c.dat", {namedPeak(u"A", 5.0, area, concentration)});
    return assays;
}

CalculationResult calibrate(const AssayMap& assays, MessageLog& log)
{
    return runCalculation(assays, {component(u"A", 5, 5)}, PluginSettings(), log);
}

} // namespace

TEST(Calibration, SameConcentrationAveragesIntoOnePointAndWarns)
{
    MessageLog log;
    CalibrationRow row = calibrate(calibrations({{100, 1}, {110, 1}}), log).calibration.at(0);
    EXPECT_EQ(row.pointCount, 1);
    ASSERT_EQ(row.points.size(), 1u);
    EXPECT_DOUBLE_EQ(row.points[0].meanArea, 105);
    EXPECT_EQ(row.points[0].measurements, 2);
    EXPECT_FALSE(row.fitted);
    EXPECT_EQ(row.k0, 0);
    EXPECT_EQ(row.k1, 0);
    EXPECT_EQ(log.warnings(), std::vector<std::u16string>{tooFewA});
}

TEST(Calibration, TwoConcentrationsGiveBothLines)
{
    MessageLog log;
    CalibrationRow row = calibrate(calibrations({{200, 2}, {100, 1}}), log).calibration.at(0);
    EXPECT_TRUE(row.fitted);
    EXPECT_EQ(row.pointCount, 2);
    EXPECT_NEAR(row.k1, 0.01, 1e-15);
    EXPECT_NEAR(row.k0, 0, 1e-12);
    EXPECT_NEAR(row.k1Origin, 0.01, 1e-15);
    EXPECT_EQ(row.points[0].concentration, 1);
    EXPECT_EQ(row.points[1].concentration, 2);
    EXPECT_TRUE(log.warnings().empty());
}

TEST(Calibration, EqualMeanAreasGiveNoLine)
{
    MessageLog log;
    CalibrationRow row = calibrate(calibrations({{100, 1}, {100, 2}}), log).calibration.at(0);
    EXPECT_EQ(row.pointCount, 2);
    EXPECT_FALSE(row.fitted);
    EXPECT_EQ(log.warnings(), std::vector<std::u16string>{tooFewA});
}

TEST(Calibration, OnlyIdentifiedPeaksWithPositiveAreaAndConcentrationArePoints)
{
    MessageLog log;
    CalibrationRow row = calibrate(calibrations({{0, 1}, {100, 0}, {100, -1}, {-5, 3}}), log).calibration.at(0);
    EXPECT_EQ(row.pointCount, 0);
    EXPECT_FALSE(row.fitted);
    EXPECT_TRUE(log.warnings().empty());  // no point at all: silently not fitted

    // Found on channel 1 only while the component has a channel-2 time: not identified, no point.
    AssayMap assays = calibrations({{100, 1}, {200, 2}});
    MessageLog log2;
    CalculationResult result = runCalculation(assays, {component(u"A", 5, 5, 7, 5)}, PluginSettings(), log2);
    EXPECT_EQ(result.calibration[0].pointCount, 0);
}

TEST(Calibration, ConcentrationsDifferingInTheLastBitAreSeparatePoints)
{
    const double c = 1.0;
    const double next = std::nextafter(c, 2.0);
    MessageLog log;
    CalibrationRow row = calibrate(calibrations({{100, c}, {300, next}, {200, c}}), log).calibration.at(0);
    ASSERT_EQ(row.pointCount, 2);
    EXPECT_EQ(row.points[0].concentration, c);
    EXPECT_DOUBLE_EQ(row.points[0].meanArea, 150);
    EXPECT_EQ(row.points[1].concentration, next);
    EXPECT_TRUE(row.fitted);
}

TEST(Calibration, PointsAscendWhateverTheWorkspaceOrder)
{
    MessageLog log;
    CalculationResult result = calibrate(calibrations({{300, 3}, {100, 1}, {250, 2.5}, {200, 2}}), log);
    const CalibrationRow& row = result.calibration.at(0);
    ASSERT_EQ(row.pointCount, 4);
    for (int i = 1; i < row.pointCount; ++i)
        EXPECT_LT(row.points[i - 1].concentration, row.points[i].concentration);
    EXPECT_NEAR(row.k1, 0.01, 1e-12);
}

TEST(Calibration, EveryComponentGetsARowInTableOrder)
{
    MessageLog log;
    ComponentList components{component(u"Z", 1), component(u"A", 5, 5), component(u"", 0)};
    CalculationResult result = runCalculation(calibrations({{100, 1}, {200, 2}}), components, PluginSettings(), log);
    ASSERT_EQ(result.calibration.size(), 3u);
    EXPECT_EQ(result.calibration[0].name, u"Z");
    EXPECT_FALSE(result.calibration[0].fitted);
    EXPECT_TRUE(result.calibration[1].fitted);
    EXPECT_EQ(result.calibration[2].pointCount, 0);
}

// Points group exactly equal concentrations, ascending, each averaging its areas summed in the
// chromatograms' order, whether the calibration has a few levels or more than a few.
TEST(Calibration, PointsOfFewAndOfManyLevelsAverageInTheChromatogramsOrder)
{
    std::mt19937 random(5);
    for (int levelCount : {1, 2, 16, 31, 32, 33, 60}) {
        std::vector<double> levels;
        for (int level = 0; level < levelCount; ++level)
            levels.push_back(0.1 * (level + 1) + (level % 3 == 0 ? 1e-15 : 0));
        std::vector<std::pair<double, double>> runs;  // (area, concentration), in workspace order
        for (int run = 0; run < 3 * levelCount + 5; ++run) {
            const double area = 10 + static_cast<double>(random() % 100000) / 7;
            runs.emplace_back(area, levels[random() % levels.size()]);
        }
        // Exactly equal concentrations, their areas added in order.
        std::map<double, std::pair<double, int>> expected;
        for (const auto& [area, concentration] : runs) {
            auto& [sum, count] = expected[concentration];
            sum += area;
            ++count;
        }
        MessageLog log;
        const CalibrationRow row = calibrate(calibrations(runs), log).calibration.at(0);
        ASSERT_EQ(row.points.size(), expected.size()) << levelCount << " levels";
        std::size_t at = 0;
        for (const auto& [concentration, sumAndCount] : expected) {
            const CalibrationPoint& point = row.points[at++];
            EXPECT_EQ(point.concentration, concentration) << levelCount << " levels";
            EXPECT_EQ(point.meanArea, sumAndCount.first / sumAndCount.second) << levelCount << " levels";
            EXPECT_EQ(point.measurements, sumAndCount.second) << levelCount << " levels";
        }
    }
}
