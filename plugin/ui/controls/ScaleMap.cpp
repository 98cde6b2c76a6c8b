#include "ui/controls/ScaleMap.h"

#include <cmath>

namespace controls {
namespace {

// ceil(offset) as a pixel, bounded so that data far outside the view cannot overflow the
// integer arithmetic of clipping.
int boundedPixel(int origin, double offset)
{
    const double far = ScaleMap::kFarPixel;
    if (std::isnan(offset))
        return origin - ScaleMap::kFarPixel;
    const double v = std::ceil(offset);
    if (v > far)
        return origin + ScaleMap::kFarPixel;
    if (v < -far)
        return origin - ScaleMap::kFarPixel;
    return origin + static_cast<int>(v);
}

} // namespace

int ScaleMap::mapX(double value) const
{
    if (x.hi == x.lo)
        return 0;
    const double offset = (value - x.lo) / (x.hi - x.lo) * (plot.right - plot.left - 1) - 0.5;
    return boundedPixel(plot.left, offset);
}

int ScaleMap::mapY(double value) const
{
    if (y.hi == y.lo)
        return 0;
    const double offset = (value - y.lo) / (y.hi - y.lo) * (plot.bottom - plot.top - 1) - 0.5;
    // Upward on screen is downward in pixels.
    const int up = boundedPixel(0, offset);
    return plot.bottom - 1 - up;
}

std::optional<double> ScaleMap::dataX(int px) const
{
    const int span = plot.right - plot.left - 1;
    if (span <= 0)
        return std::nullopt;
    return x.lo + double(px - plot.left) * (x.hi - x.lo) / span;
}

std::optional<double> ScaleMap::dataY(int py) const
{
    const int span = plot.bottom - plot.top - 1;
    if (span <= 0)
        return std::nullopt;
    return y.hi - double(py - plot.top) * (y.hi - y.lo) / span;
}

} // namespace controls
