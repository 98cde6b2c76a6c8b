#pragma once
// Tick steps, tick positions and tick labels of the chart's two axes. The computation measures
// labels but draws nothing; it returns the ticks as a value.
#include "ui/controls/AxisTicks.h"
#include "ui/controls/CAutoCoordObject.h"
#include "ui/controls/ChartCanvas.h"
#include "ui/controls/FontDescription.h"

#include <string>
#include <vector>

namespace controls {

class CAutoAxis : public CAutoCoordObject {
public:
    FontDescription axisFont;

    using TickRun = AxisTicks;

    // Picks a step of 10^e times 1, 2, 2.5, 3, 5 or 10 such that ticks lie at least
    // minTickDistance pixels apart on an axis of axisLength pixels.
    static TickRun niceStep(double lo, double hi, double axisLength, double minTickDistance, bool automatic);

    // The tick values from first to last (the multiples of step between them).
    static std::vector<double> tickValues(double first, double last, double step);
    static std::vector<double> tickValues(const AxisTicks& ticks);
    static std::u16string tickLabel(double value);

    struct TickLayout {
        AxisTicks ticks;
        int widestLabel = 0;   // in pixels
    };
    // The step for an x axis `plotWidth` pixels long (y: `plotHeight`) over `range`, with the
    // axis font selected into `measure`.
    static TickLayout layoutXTicks(TextMeasure& measure, AxisRange range, int plotWidth, bool automatic);
    static TickLayout layoutYTicks(TextMeasure& measure, AxisRange range, int plotHeight, bool automatic);

    // Tick lengths and the label gap follow the axis font's character height.
    static TickSizes tickSizes(int charHeight);

private:
    static int widestLabel(TextMeasure& measure, const TickRun& run);
};

} // namespace controls
