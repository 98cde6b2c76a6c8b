#include "CalibrationQuality.h"

#include <cmath>

CalibrationQuality calibrationQuality(const CalibrationRow& row)
{
    CalibrationQuality quality;
    const std::size_t n = row.points.size();
    if (!row.fitted) {
        quality.relativeResiduals.assign(n, std::nullopt);
        return quality;
    }

    double meanConcentration = 0;
    for (const CalibrationPoint& point : row.points)
        meanConcentration += point.concentration;
    if (n > 0)
        meanConcentration /= static_cast<double>(n);

    double residualSquares = 0;
    double totalSquares = 0;
    for (const CalibrationPoint& point : row.points) {
        const double residual = row.k1 * point.meanArea + row.k0 - point.concentration;
        residualSquares += residual * residual;
        const double spread = point.concentration - meanConcentration;
        totalSquares += spread * spread;
        if (point.concentration == 0)
            quality.relativeResiduals.push_back(std::nullopt);
        else
            quality.relativeResiduals.push_back(residual / point.concentration * 100.0);
    }
    if (totalSquares > 0)
        quality.r2 = 1.0 - residualSquares / totalSquares;
    if (n > 2)
        quality.residualSd = std::sqrt(residualSquares / static_cast<double>(n - 2));
    return quality;
}
