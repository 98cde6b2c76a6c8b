#pragma once
// How data values map onto the pixels of the plot area for one paint: the ranges in use and the
// plot rectangle. A value made once per paint and handed to everything that draws; nothing keeps it
// beyond the paint but the control, which converts mouse positions with the last one.
#include "ui/controls/PixelGeometry.h"

#include <optional>

namespace controls {

struct AxisRange {
    double lo = 0;
    double hi = 0;
    friend bool operator==(const AxisRange&, const AxisRange&) = default;
};

struct ScaleMap {
    PixelRect plot;
    AxisRange x;
    AxisRange y;

    int mapX(double value) const;
    int mapY(double value) const;
    PixelPoint map(double xValue, double yValue) const { return {mapX(xValue), mapY(yValue)}; }
    bool contains(PixelPoint p) const { return plot.contains(p); }

    // The data values under a pixel; nothing when the plot is too small to tell.
    std::optional<double> dataX(int px) const;
    std::optional<double> dataY(int py) const;

    // Pixel coordinates far beyond any window, used in place of values that do not fit an int
    // (huge, infinite or undefined data), so that such points land well outside the plot.
    static constexpr int kFarPixel = 1 << 28;

    friend bool operator==(const ScaleMap&, const ScaleMap&) = default;
};

} // namespace controls
