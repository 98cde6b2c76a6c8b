#pragma once
// The coordinate state shared by the chart panel and each of its series: where the plot area
// lies in pixels, which ranges are in use, and how a data point maps onto a pixel.
#include "ui/controls/ScaleMap.h"

namespace controls {

class CAutoCoordObject {
public:
    PixelRect plotRect;

    bool autoX = true;
    bool autoY = true;
    double xMin = 0, xMax = 0, yMin = 0, yMax = 0;
    double xMinFixed = 0, xMaxFixed = 0, yMinFixed = 0, yMaxFixed = 0;
    int xPrecision = 3;
    int yPrecision = 3;

    // The data range of the axis has already been computed during this paint.
    bool xRangeDone = false;
    bool yRangeDone = false;

    int mapX(double x) const;
    int mapY(double y) const;
    PixelPoint mapPoint(double x, double y) const { return {mapX(x), mapY(y)}; }
    bool isInside(PixelPoint p) const { return plotRect.contains(p); }

    void clearRangeDone() { xRangeDone = yRangeDone = false; }
};

} // namespace controls
