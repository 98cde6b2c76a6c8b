#include <algorithm>
#include <utility>

#include "Fitral.h"
#include "engine/CalculationPass.h"
#include "engine/MessageLog.h"

namespace {

// (concentration, area) of every identified peak with a positive area and concentration, in the
// order of the calibration chromatograms.
std::vector<std::pair<double, double>> rawPoints(const CalculationPass& pass, std::size_t c)
{
    std::vector<std::pair<double, double>> points;
    for (const CalibrationAssay& assay : pass.calibration) {
        if (!assay.rows || c >= assay.rows->size())
            continue;
        const IdentificationRow& row = (*assay.rows)[c];
        if (row.identified && row.area > 0 && row.concentration > 0)
            points.emplace_back(row.concentration, row.area);
    }
    return points;
}

// One point per distinct concentration (equal only when exactly equal), ascending.
std::vector<CalibrationPoint> groupByConcentration(std::vector<std::pair<double, double>> raw)
{
    std::stable_sort(raw.begin(), raw.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<CalibrationPoint> points;
    double areaSum = 0;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (points.empty() || points.back().concentration != raw[i].first) {
            if (!points.empty())
                points.back().meanArea = areaSum / points.back().measurements;
            points.push_back(CalibrationPoint{raw[i].first, 0, 0});
            areaSum = 0;
        }
        areaSum += raw[i].second;
        ++points.back().measurements;
    }
    if (!points.empty())
        points.back().meanArea = areaSum / points.back().measurements;
    return points;
}

bool canFit(const std::vector<CalibrationPoint>& points)
{
    if (points.size() < 2)
        return false;
    for (const CalibrationPoint& point : points)
        if (point.meanArea != points.front().meanArea)
            return true;
    return false;
}

void fitLines(CalibrationRow& row)
{
    std::vector<double> x, y;
    for (const CalibrationPoint& point : row.points) {
        x.push_back(point.meanArea);
        y.push_back(point.concentration);
    }
    CFitral fit;
    double withIntercept[4] = {0, 0, 0, 0};
    fit.KAbsolutLowSquare(1, row.pointCount, x.data(), y.data(), withIntercept);
    row.k0 = withIntercept[0];
    row.k1 = withIntercept[1];
    double throughOrigin[4] = {0, 0, 0, 0};
    fit.KAbsolutLowSquare(0, row.pointCount, x.data(), y.data(), throughOrigin);
    row.k1Origin = throughOrigin[1];
    row.fitted = true;
}

} // namespace

void fitCalibrationLines(CalculationPass& pass)
{
    pass.result.calibration.reserve(pass.components.size());
    for (std::size_t c = 0; c < pass.components.size(); ++c) {
        CalibrationRow row;
        row.name = pass.components[c].name;
        row.mainChannel = pass.mainChannel[c];
        row.points = groupByConcentration(rawPoints(pass, c));
        row.pointCount = static_cast<int32_t>(row.points.size());
        if (canFit(row.points))
            fitLines(row);
        else if (!row.points.empty())
            pass.log.addWarning(u"\"%s\": для градуировки нужно не менее 2 разных концентраций.", row.name);
        pass.result.calibration.push_back(std::move(row));
    }
}
