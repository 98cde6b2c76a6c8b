#include "ui/controls/ChartNavigation.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace controls {
namespace {

// A scroll bar position from a count of steps, kept within what a bar can hold.
int barUnits(double steps)
{
    constexpr double limit = 1e9;
    if (std::isnan(steps))
        return 0;
    return static_cast<int>(std::clamp(steps, -limit, limit));
}

ScrollBarState barState(AxisRange full, AxisRange view, double step, double offsetFromOrigin)
{
    ScrollBarState state;
    state.shown = full.hi > view.hi || view.lo > full.lo;
    if (!state.shown || !(step > 0) || !std::isfinite(step))
        return state;
    const double n = std::ceil(((full.hi - full.lo) - (view.hi - view.lo)) / step);
    if (n >= 1) {
        state.rangeSet = true;
        state.maximum = barUnits(n);
        state.position = barUnits(std::ceil(offsetFromOrigin / step));
    }
    return state;
}

std::optional<AxisRange> changed(AxisRange target, AxisRange view)
{
    if (target == view)
        return std::nullopt;
    return target;
}

} // namespace

ScrollBarState horizontalBarState(AxisRange full, AxisRange view, double step)
{
    return barState(full, view, step, view.lo - full.lo);
}

ScrollBarState verticalBarState(AxisRange full, AxisRange view, double step)
{
    return barState(full, view, step, full.hi - view.hi);
}

std::optional<AxisRange> horizontalScrollTarget(ScrollRequest request, int thumbPosition, AxisRange view,
                                                AxisRange full, double step)
{
    const double w = view.hi - view.lo;
    AxisRange t;
    switch (request) {
    case ScrollRequest::LineBack:
    case ScrollRequest::PageBack:
        t.lo = std::max(view.lo - step, full.lo);
        t.hi = t.lo + w;
        break;
    case ScrollRequest::LineForward:
    case ScrollRequest::PageForward:
        t.hi = std::min(view.hi + step, full.hi);
        t.lo = t.hi - w;
        break;
    case ScrollRequest::ThumbTrack:
        t.lo = std::min(full.lo + thumbPosition * step, full.hi - w);
        t.hi = t.lo + w;
        break;
    case ScrollRequest::Other:
        return std::nullopt;
    }
    return changed(t, view);
}

std::optional<AxisRange> verticalScrollTarget(ScrollRequest request, int thumbPosition, AxisRange view,
                                              AxisRange full, double step)
{
    const double h = view.hi - view.lo;
    AxisRange t;
    switch (request) {
    case ScrollRequest::LineBack:
    case ScrollRequest::PageBack:
        t.hi = std::min(view.hi + step, full.hi);
        t.lo = t.hi - h;
        break;
    case ScrollRequest::LineForward:
    case ScrollRequest::PageForward:
        t.lo = std::max(view.lo - step, full.lo);
        t.hi = t.lo + h;
        break;
    case ScrollRequest::ThumbTrack:
        t.hi = std::max(full.hi - thumbPosition * step, full.lo + h);
        t.lo = t.hi - h;
        break;
    case ScrollRequest::Other:
        return std::nullopt;
    }
    return changed(t, view);
}

std::optional<ZoomTarget> zoomTarget(double xa, double ya, double xb, double yb, AxisRange viewX, AxisRange viewY)
{
    auto clampTo = [](double a, double b, AxisRange view) {
        return AxisRange{std::max(std::min(a, b), view.lo), std::min(std::max(a, b), view.hi)};
    };
    auto wideEnough = [](AxisRange r) {
        return std::fabs(r.hi - r.lo) * 100000 > std::max(std::fabs(r.lo), std::fabs(r.hi));
    };
    const ZoomTarget t{clampTo(xa, xb, viewX), clampTo(ya, yb, viewY)};
    if (!wideEnough(t.x) || !wideEnough(t.y))
        return std::nullopt;
    return t;
}

} // namespace controls
