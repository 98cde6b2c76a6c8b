#include <gtest/gtest.h>

#include "../engine/TestWorkspace.h"
#include "CalibrationQuality.h"
#include "ParallelRuns.h"
#include "engine/Calculation.h"
#include "engine/MessageLog.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace {

// A: line k1 = 0.01, k0 = 0.5 (areas 100 and 200 at 1.5 and 2.5); B: one point only, no line.
AssayMap calibratedWorkspace()
{
    AssayMap assays;
    assays[1] = calibrationAssay(u"c1.dat", {namedPeak(u"A", 5.0, 100, 1.5), namedPeak(u"B", 8.0, 10, 1)});
    assays[2] = calibrationAssay(u"c2.dat", {namedPeak(u"A", 5.0, 200, 2.5)});
    return assays;
}

ComponentList tableAB() { return {component(u"A", 5, 5, 0, 5, 1, u"Альфа"), component(u"B", 8, 5)}; }

std::vector<double> sorted(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values;
}

} // namespace

TEST(ParallelRuns, RelativeDifferenceByHand)
{
    struct Case {
        std::vector<double> values;
        std::optional<double> expected;
    };
    const std::vector<Case> cases = {
        {{2.5, 2.7}, 0.2 / 2.6 * 100},   // 7.692 %
        {{2.7, 2.5}, 0.2 / 2.6 * 100},
        {{3, 3}, 0.0},
        {{10, 11}, 1.0 / 10.5 * 100},
        {{-2, -1}, 1.0 / 1.5 * 100},     // by the size of the mean: never negative
        {{1, -1}, std::nullopt},         // zero mean
        {{0, 0}, std::nullopt},
        {{4}, std::nullopt},
        {{}, std::nullopt},
    };
    for (const Case& c : cases) {
        const std::optional<double> difference = relativeDifference(c.values);
        ASSERT_EQ(difference.has_value(), c.expected.has_value()) << ::testing::PrintToString(c.values);
        if (c.expected) {
            EXPECT_NEAR(*difference, *c.expected, 1e-12) << ::testing::PrintToString(c.values);
        }
    }
}

TEST(ParallelRuns, AcceptanceAgainstTheLimit)
{
    struct Case {
        std::optional<double> difference;
        std::optional<double> limit;
        std::optional<bool> accepted;
    };
    const std::vector<Case> cases = {
        {7.69, 10, true},
        {7.69, 5, false},
        {5, 5, true},                   // at the limit is within it
        {0, 0, true},
        {std::nullopt, 10, false},      // one determination proves no agreement
        {7.69, std::nullopt, std::nullopt},
        {std::nullopt, std::nullopt, std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(acceptance(c.difference, c.limit), c.accepted)
            << ::testing::PrintToString(c.difference) << " / " << ::testing::PrintToString(c.limit);
}

TEST(ParallelRuns, ValuesAreTheDeterminationsWhoseMeanIsReported)
{
    AssayMap assays = calibratedWorkspace();
    // Only the first peak named like the component counts; the second one by its alternative name.
    assays[10] = analysisAssay(u"a1.dat", {namedPeak(u"X", 1, 5), namedPeak(u"a", 5.1, 200), namedPeak(u"A", 6, 999)});
    assays[11] = analysisAssay(u"a2.dat", {namedPeak(u" альфа ", 5.0, 220), namedPeak(u"B", 8, 40)});
    MessageLog log;
    const ComponentList table = tableAB();
    const CalculationResult result = runCalculation(assays, table, PluginSettings(), log);
    RepeatabilityLimits limits;
    limits.setDefault(5.0);
    const std::vector<ParallelRuns> runs = parallelRuns(assays, table, result, limits);
    ASSERT_EQ(runs.size(), 2u);

    const ParallelRuns& a = runs[0];
    ASSERT_EQ(a.values.size(), 2u);
    const std::vector<double> values = sorted(a.values);
    EXPECT_NEAR(values[0], 2.5, 1e-12);
    EXPECT_NEAR(values[1], 2.7, 1e-12);
    EXPECT_EQ((a.values[0] + a.values[1]) / 2, result.quantitation[0].concentration);
    EXPECT_NEAR(*a.relativeDifference, 7.6923076923, 1e-9);
    EXPECT_EQ(a.limit, 5.0);
    EXPECT_EQ(a.accepted, false);

    // B is detected but has no line: no determinations, so nothing to accept.
    const ParallelRuns& b = runs[1];
    EXPECT_TRUE(result.quantitation[1].detected);
    EXPECT_TRUE(b.values.empty());
    EXPECT_FALSE(b.relativeDifference);
    EXPECT_EQ(b.accepted, false);
}

TEST(ParallelRuns, OneContributionAndNoQuantitation)
{
    AssayMap assays = calibratedWorkspace();
    assays[10] = analysisAssay(u"a1.dat", {namedPeak(u"A", 5, 300)});
    assays[11] = analysisAssay(u"a2.dat", {});
    MessageLog log;
    const ComponentList table = tableAB();
    CalculationResult result = runCalculation(assays, table, PluginSettings(), log);
    const std::vector<ParallelRuns> runs = parallelRuns(assays, table, result, RepeatabilityLimits());
    ASSERT_EQ(runs.size(), 2u);
    ASSERT_EQ(runs[0].values.size(), 1u);
    EXPECT_EQ(runs[0].values[0], result.quantitation[0].concentration);   // 3.5
    EXPECT_NEAR(runs[0].values[0], 3.5, 1e-12);
    EXPECT_FALSE(runs[0].relativeDifference);
    EXPECT_FALSE(runs[0].limit);
    EXPECT_FALSE(runs[0].accepted);

    // A third analysis chromatogram: the calculation gives no quantitation, and so no runs.
    assays[12] = analysisAssay(u"a3.dat", {namedPeak(u"A", 5, 300)});
    result = runCalculation(assays, table, PluginSettings(), log);
    EXPECT_TRUE(parallelRuns(assays, table, result, RepeatabilityLimits()).empty());
}

// The line the fit library draws through the calculation's own points, judged by hand: the points
// (100, 1), (200, 2.2), (300, 2.9) give r2 = 1 - 900/39888 and a residual SD of sqrt(1/24).
TEST(ParallelRuns, QualityOfTheFittedLine)
{
    AssayMap assays;
    assays[1] = calibrationAssay(u"c1.dat", {namedPeak(u"A", 5.0, 100, 1)});
    assays[2] = calibrationAssay(u"c2.dat", {namedPeak(u"A", 5.0, 190, 2.2)});
    assays[3] = calibrationAssay(u"c3.dat", {namedPeak(u"A", 5.0, 210, 2.2)});
    assays[4] = calibrationAssay(u"c4.dat", {namedPeak(u"A", 5.0, 300, 2.9)});
    MessageLog log;
    const CalculationResult result = runCalculation(assays, {component(u"A", 5, 5)}, PluginSettings(), log);
    ASSERT_EQ(result.calibration.size(), 1u);
    ASSERT_TRUE(result.calibration[0].fitted);
    ASSERT_EQ(result.calibration[0].pointCount, 3);   // 190 and 210 averaged into 200
    const CalibrationQuality quality = calibrationQuality(result.calibration[0]);
    EXPECT_NEAR(*quality.r2, 1 - 900.0 / 39888, 1e-9);
    EXPECT_NEAR(*quality.residualSd, 0.2041241452319315, 1e-9);
    EXPECT_NEAR(*quality.relativeResiduals[1], -100.0 / 6 / 2.2, 1e-9);
}
