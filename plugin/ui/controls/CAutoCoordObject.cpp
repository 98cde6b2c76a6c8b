#include "ui/controls/CAutoCoordObject.h"

#include <cmath>

namespace controls {
namespace {

// ceil(offset) as a pixel, bounded so that data far outside the view cannot overflow the
// integer arithmetic of clipping.
int boundedPixel(int origin, double offset)
{
    const double far = CAutoCoordObject::kFarPixel;
    if (std::isnan(offset))
        return origin - CAutoCoordObject::kFarPixel;
    const double v = std::ceil(offset);
    if (v > far)
        return origin + CAutoCoordObject::kFarPixel;
    if (v < -far)
        return origin - CAutoCoordObject::kFarPixel;
    return origin + static_cast<int>(v);
}

} // namespace

int CAutoCoordObject::mapX(double x) const
{
    if (xMax == xMin)
        return 0;
    const double offset = (x - xMin) / (xMax - xMin) * (plotRect.right - plotRect.left - 1) - 0.5;
    return boundedPixel(plotRect.left, offset);
}

int CAutoCoordObject::mapY(double y) const
{
    if (yMax == yMin)
        return 0;
    const double offset = (y - yMin) / (yMax - yMin) * (plotRect.bottom - plotRect.top - 1) - 0.5;
    // Upward on screen is downward in pixels.
    const int up = boundedPixel(0, offset);
    return plotRect.bottom - 1 - up;
}

} // namespace controls
