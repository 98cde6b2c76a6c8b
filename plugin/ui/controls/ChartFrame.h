#pragma once
// What one paint of the chart settled: the data ranges, the scale map (plot area and ranges in use,
// widened to ticks on automatic axes), the ticks and their sizes. The panel returns it from a
// paint; the control keeps the last one to turn mouse positions and scroll requests into ranges.
#include "ui/controls/AxisTicks.h"
#include "ui/controls/ScaleMap.h"

namespace controls {

struct ChartFrame {
    bool drawn = false;   // false: the plot area vanished and nothing was drawn
    AxisRange fullX;      // the data range of all series on each axis
    AxisRange fullY;
    ScaleMap scale;
    AxisTicks xTicks;
    AxisTicks yTicks;
    TickSizes sizes;
};

} // namespace controls
