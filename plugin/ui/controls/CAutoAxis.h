#pragma once
// Tick steps, tick positions and tick labels of the chart's two axes.
#include "ui/controls/CAutoCoordObject.h"
#include "ui/controls/ChartCanvas.h"
#include "ui/controls/FontDescription.h"

#include <string>
#include <vector>

namespace controls {

class CAutoAxis : public CAutoCoordObject {
public:
    double xStep = 1.0;
    double yStep = 1.0;
    double xFirstTick = 0, xLastTick = 0, yFirstTick = 0, yLastTick = 0;
    int tickIn = 1;
    int tickOut = 1;
    int labelGap = 1;
    FontDescription axisFont;

    // One choice of tick step over a range. An automatic axis may have its range widened to the
    // ticks next to its ends; `lo`/`hi` carry the range after that.
    struct TickRun {
        bool valid = false;   // false: the range or the axis length admits no ticks
        double step = 1.0;
        double first = 1.0;
        double last = 0.0;
        double lo = 0.0;
        double hi = 0.0;
    };

    // Picks a step of 10^e times 1, 2, 2.5, 3, 5 or 10 such that ticks lie at least
    // minTickDistance pixels apart on an axis of axisLength pixels.
    static TickRun niceStep(double lo, double hi, double axisLength, double minTickDistance, bool automatic);

    // The tick values from first to last (the multiples of step between them).
    static std::vector<double> tickValues(double first, double last, double step);
    static std::u16string tickLabel(double value);

    // Choose the step for the current plot width (x) or height (y), store steps, ticks and the
    // possibly widened range, and return the widest tick label in pixels. The axis font must be
    // selected into the canvas.
    int layoutXTicks(ChartCanvas& canvas);
    int layoutYTicks(ChartCanvas& canvas);

    // Tick lengths and the label gap follow the axis font's character height.
    void setTickSizes(int charHeight);

private:
    static int widestLabel(ChartCanvas& canvas, const TickRun& run);
};

} // namespace controls
