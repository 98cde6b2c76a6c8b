#include "ui/controls/CAutoAxis.h"

#include "platform/Format.h"

#include <algorithm>
#include <cmath>

namespace controls {
namespace {

// More ticks than any window can show: a bound that keeps degenerate ranges from looping.
constexpr int kMaxTicks = 10000;

double stepMultiplier(double m)
{
    if (m > 7.5)
        return 10;
    if (m > 3.5)
        return 5;
    if (m > 2.6)
        return 3;
    if (m > 2.4)
        return 2.5;
    if (m > 1.5)
        return 2;
    return 1;
}

} // namespace

CAutoAxis::TickRun CAutoAxis::niceStep(double lo, double hi, double axisLength, double minTickDistance,
                                       bool automatic)
{
    TickRun run;
    run.lo = lo;
    run.hi = hi;
    // An empty, reversed or unbounded range, or no room, has no sensible step; the axis is then
    // drawn without ticks rather than looping or dividing by zero.
    if (!(hi > lo) || !std::isfinite(hi - lo) || !(axisLength > 0) || !(minTickDistance > 0))
        return run;
    const double c = (hi - lo) * minTickDistance / axisLength;
    if (!(c > 0) || !std::isfinite(c))
        return run;
    const double e10 = std::floor(std::log10(c));
    const double scale = std::pow(10.0, e10);
    const double step = scale * stepMultiplier(c / scale);
    if (!(step > 0) || !std::isfinite(step))
        return run;
    run.step = step;

    const double kLo = std::floor(lo / step);
    if (automatic && lo - kLo * step < step / 2) {
        run.first = kLo * step;
        run.lo = run.first;
    } else {
        run.first = std::ceil(lo / step - 0.01) * step;
    }
    const double kHi = std::ceil(hi / step);
    if (automatic && kHi * step - hi < step / 2) {
        run.last = kHi * step;
        run.hi = run.last;
    } else {
        run.last = std::floor(hi / step + 0.01) * step;
    }
    run.valid = true;
    return run;
}

std::vector<double> CAutoAxis::tickValues(double first, double last, double step)
{
    std::vector<double> values;
    if (!(step > 0) || !std::isfinite(first) || !std::isfinite(last))
        return values;
    // Whole multiples of the step, so that a tick at zero is exactly zero.
    const double k0 = std::round(first / step);
    for (int i = 0; i < kMaxTicks; ++i) {
        const double v = (k0 + i) * step;
        if (!(v < last + step / 2))
            break;
        values.push_back(v + 0.0);   // + 0.0 turns -0 into 0
    }
    return values;
}

std::u16string CAutoAxis::tickLabel(double value)
{
    return platform::format(u"%.10g", {value});
}

std::vector<double> CAutoAxis::tickValues(const AxisTicks& ticks)
{
    if (!ticks.valid)
        return {};
    return tickValues(ticks.first, ticks.last, ticks.step);
}

int CAutoAxis::widestLabel(TextMeasure& measure, const TickRun& run)
{
    int widest = 0;
    for (double v : tickValues(run))
        widest = std::max(widest, measure.textWidth(tickLabel(v)));
    return widest;
}

CAutoAxis::TickLayout CAutoAxis::layoutXTicks(TextMeasure& measure, AxisRange range, int plotWidth, bool automatic)
{
    const int avg = std::max(1, measure.textMetrics().averageCharWidth);
    double minDistance = 6.0 * avg;
    TickLayout layout;
    for (;;) {
        layout.ticks = niceStep(range.lo, range.hi, plotWidth, minDistance, automatic);
        layout.widestLabel = widestLabel(measure, layout.ticks);
        if (!layout.ticks.valid)
            break;
        minDistance += avg;
        if (minDistance >= plotWidth)
            break;
        const double tickDistance = plotWidth * layout.ticks.step / (range.hi - range.lo);
        if (!(layout.widestLabel + 3.0 * avg > tickDistance))
            break;
    }
    return layout;
}

CAutoAxis::TickLayout CAutoAxis::layoutYTicks(TextMeasure& measure, AxisRange range, int plotHeight, bool automatic)
{
    TickLayout layout;
    layout.ticks = niceStep(range.lo, range.hi, plotHeight, 2.0 * measure.textMetrics().height, automatic);
    layout.widestLabel = widestLabel(measure, layout.ticks);
    return layout;
}

TickSizes CAutoAxis::tickSizes(int charHeight)
{
    return {std::max(1, charHeight / 3), std::max(1, charHeight / 6), std::max(1, charHeight / 5)};
}

} // namespace controls
