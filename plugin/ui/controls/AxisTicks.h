#pragma once
// The ticks of one axis for one paint, and the tick sizes that follow the axis font: values that
// the tick computation returns and the drawing reads.
namespace controls {

// One choice of tick step over a range. An automatic axis may have its range widened to the
// ticks next to its ends; `lo`/`hi` carry the range after that.
struct AxisTicks {
    bool valid = false;   // false: the range or the axis length admits no ticks
    double step = 1.0;
    double first = 1.0;
    double last = 0.0;
    double lo = 0.0;
    double hi = 0.0;
};

struct TickSizes {
    int tickIn = 1;     // tick length inside the plot
    int tickOut = 1;    // tick length outside
    int labelGap = 1;   // between a tick's end and its label
};

} // namespace controls
