#include <algorithm>
#include <array>
#include <cstdint>
#include <numeric>
#include <utility>

#include "Fitral.h"
#include "engine/CalculationPass.h"
#include "engine/MessageLog.h"

namespace {

// Per component, (concentration, area) of every identified peak with a positive area and
// concentration, in the order of the calibration chromatograms. Read chromatogram by chromatogram,
// each one's rows in a row.
std::vector<std::vector<std::pair<double, double>>> rawPoints(const CalculationPass& pass)
{
    std::vector<std::vector<std::pair<double, double>>> points(pass.components.size());
    for (const CalibrationAssay& assay : pass.calibration) {
        if (!assay.rows)
            continue;
        const std::size_t count = std::min(assay.rows->size(), points.size());
        for (std::size_t c = 0; c < count; ++c) {
            const IdentificationRow& row = (*assay.rows)[c];
            if (row.identified && row.area > 0 && row.concentration > 0)
                points[c].emplace_back(row.concentration, row.area);
        }
    }
    return points;
}

// One point per distinct concentration (equal only when exactly equal), ascending; each point's
// areas are summed in the chromatograms' order.
std::vector<CalibrationPoint> groupBySorting(std::vector<std::pair<double, double>> raw)
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

// The same points. A calibration has a few levels, each measured many times, so every point finds
// its level among the few seen so far instead of sorting all points; many levels are sorted.
std::vector<CalibrationPoint> groupByConcentration(std::vector<std::pair<double, double>> raw)
{
    constexpr std::size_t fewLevels = 32;
    std::array<double, fewLevels> levels;
    std::size_t levelCount = 0;
    std::vector<uint8_t> levelOf(raw.size());
    for (std::size_t i = 0; i < raw.size(); ++i) {
        std::size_t level = 0;
        while (level < levelCount && levels[level] != raw[i].first)
            ++level;
        if (level == levelCount) {
            if (levelCount == fewLevels)
                return groupBySorting(std::move(raw));
            levels[levelCount++] = raw[i].first;
        }
        levelOf[i] = static_cast<uint8_t>(level);
    }
    // The levels are distinct positive numbers, so their order is total.
    std::array<uint8_t, fewLevels> order;
    std::iota(order.begin(), order.begin() + static_cast<std::ptrdiff_t>(levelCount), uint8_t(0));
    std::sort(order.begin(), order.begin() + static_cast<std::ptrdiff_t>(levelCount),
              [&](uint8_t a, uint8_t b) { return levels[a] < levels[b]; });
    std::array<uint8_t, fewLevels> rank;
    for (std::size_t r = 0; r < levelCount; ++r)
        rank[order[r]] = static_cast<uint8_t>(r);
    std::vector<CalibrationPoint> points(levelCount);
    std::array<double, fewLevels> areaSums;
    for (std::size_t r = 0; r < levelCount; ++r) {
        points[r].concentration = levels[order[r]];
        areaSums[r] = 0;
    }
    for (std::size_t i = 0; i < raw.size(); ++i) {
        const std::size_t r = rank[levelOf[i]];
        areaSums[r] += raw[i].second;
        ++points[r].measurements;
    }
    for (std::size_t r = 0; r < levelCount; ++r)
        points[r].meanArea = areaSums[r] / points[r].measurements;
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
    std::vector<std::vector<std::pair<double, double>>> raw = rawPoints(pass);
    for (std::size_t c = 0; c < pass.components.size(); ++c) {
        CalibrationRow row;
        row.name = pass.components[c].name;
        row.mainChannel = pass.mainChannel[c];
        row.points = groupByConcentration(std::move(raw[c]));
        row.pointCount = static_cast<int32_t>(row.points.size());
        if (canFit(row.points))
            fitLines(row);
        else if (!row.points.empty())
            pass.log.addWarning(u"\"%s\": для градуировки нужно не менее 2 разных концентраций.", row.name);
        pass.result.calibration.push_back(std::move(row));
    }
}
