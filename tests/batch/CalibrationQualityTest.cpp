#include <gtest/gtest.h>

#include "CalibrationQuality.h"

#include <optional>
#include <string>
#include <vector>

namespace {

CalibrationRow fittedRow(double k0, double k1, std::vector<CalibrationPoint> points)
{
    CalibrationRow row;
    row.name = std::u16string(1, u'A');  // GCC 12 warns wrongly on a one-unit literal here
    row.k0 = k0;
    row.k1 = k1;
    row.fitted = true;
    row.pointCount = static_cast<int32_t>(points.size());
    row.points = std::move(points);
    return row;
}

struct QualityCase {
    std::string what;
    CalibrationRow row;
    std::optional<double> r2;
    std::optional<double> residualSd;
    std::vector<std::optional<double>> relativeResiduals;
};

void expectNear(const std::optional<double>& actual, const std::optional<double>& expected, const std::string& what,
                const char* field, std::size_t point = 0)
{
    ASSERT_EQ(actual.has_value(), expected.has_value()) << what << ": " << field << " " << point;
    if (expected) {
        EXPECT_NEAR(*actual, *expected, 1e-9) << what << ": " << field << " " << point;
    }
}

} // namespace

// Values worked out by hand (the fractions beside them).
TEST(CalibrationQuality, HandComputedCases)
{
    const std::vector<QualityCase> cases = {
        // The least-squares line through (100, 1), (200, 2.2), (300, 2.9): k1 = 190 / 20000,
        // k0 = 61/30 - 1.9. Residuals 1/12, -1/6, 1/12: SSres = 1/24; SStot = 1662/900.
        {"three points off the line", fittedRow(61.0 / 30 - 1.9, 0.0095, {{1, 100, 1}, {2.2, 200, 2}, {2.9, 300, 1}}),
         1 - 900.0 / 39888, 0.20412414523193151, {100.0 / 12, -100.0 / 6 / 2.2, 100.0 / 12 / 2.9}},
        {"perfect line", fittedRow(0, 0.01, {{1, 100, 1}, {2, 200, 1}, {3, 300, 1}, {4, 400, 1}}), 1.0, 0.0,
         {0.0, 0.0, 0.0, 0.0}},
        // Two points: the line passes through both; no degrees of freedom are left for a spread.
        {"two points", fittedRow(0.5, 0.01, {{1.5, 100, 1}, {2.5, 200, 1}}), 1.0, std::nullopt, {0.0, 0.0}},
        // Predictions 0.1, 1, 2: residuals 0.1, 0, 0; SSres = 0.01, SStot = 2.
        {"zero concentration", fittedRow(-0.1, 0.01, {{0, 20, 1}, {1, 110, 1}, {2, 210, 1}}), 0.995, 0.1,
         {std::nullopt, 0.0, 0.0}},
        // A line that misses both points: 1.5 for 1 (+50 %) and 1.5 for 2 (-25 %); SSres 0.5, SStot 0.5.
        {"a line that explains nothing", fittedRow(1.5, 0, {{1, 100, 1}, {2, 200, 1}}), 0.0, std::nullopt,
         {50.0, -25.0}},
    };
    for (const QualityCase& c : cases) {
        const CalibrationQuality quality = calibrationQuality(c.row);
        expectNear(quality.r2, c.r2, c.what, "r2");
        expectNear(quality.residualSd, c.residualSd, c.what, "residualSd");
        ASSERT_EQ(quality.relativeResiduals.size(), c.relativeResiduals.size()) << c.what;
        for (std::size_t p = 0; p < c.relativeResiduals.size(); ++p)
            expectNear(quality.relativeResiduals[p], c.relativeResiduals[p], c.what, "relativeResidual", p);
    }
}

TEST(CalibrationQuality, RowWithoutLineHasNoQuality)
{
    CalibrationRow row = fittedRow(0, 0, {{1, 100, 2}});
    row.fitted = false;
    const CalibrationQuality quality = calibrationQuality(row);
    EXPECT_FALSE(quality.r2);
    EXPECT_FALSE(quality.residualSd);
    ASSERT_EQ(quality.relativeResiduals.size(), 1u);
    EXPECT_FALSE(quality.relativeResiduals[0]);
}
