#pragma once
// How well a fitted calibration line describes its own points, for the analyst who must defend
// it: the coefficient of determination, the standard deviation of the residuals and, per point,
// the residual relative to the stated concentration. Computed from the line the calculation fitted
// (concentration = k1 * meanArea + k0); the calculation itself is not repeated.
#include <optional>
#include <vector>

#include "engine/CalculationResult.h"

struct CalibrationQuality {
    std::optional<double> r2;           // none when the concentrations do not vary
    std::optional<double> residualSd;   // n - 2 degrees of freedom; none for two points or fewer
    // Per point, in the row's order: (k1 * meanArea + k0 - concentration) / concentration * 100;
    // none for a concentration of 0.
    std::vector<std::optional<double>> relativeResiduals;
};

// Meaningful for a fitted row; a row that is not fitted gets no value at all.
CalibrationQuality calibrationQuality(const CalibrationRow& row);
