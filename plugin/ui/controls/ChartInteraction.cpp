#include "ui/controls/ChartInteraction.h"

#include <cstdlib>

namespace controls {

bool ChartInteraction::press(PixelPoint p)
{
    if (dragging())
        return false;
    rect_ = {p.x, p.y, p.x, p.y};
    state_ = State::Pressing;
    return true;
}

bool ChartInteraction::move(PixelPoint p, bool leftButtonDown)
{
    if (!dragging() || (p.x == rect_.x1 && p.y == rect_.y1))
        return false;
    if (!leftButtonDown) {
        state_ = State::Done;
        return true;
    }
    rect_.x1 = p.x;
    rect_.y1 = p.y;
    state_ = State::Dragging;
    return true;
}

bool ChartInteraction::release(const ScaleMap& lastPaint, std::optional<ZoomTarget>& zoom)
{
    zoom.reset();
    if (!dragging())
        return false;
    state_ = State::Done;
    const DragRect& r = rect_;
    if (std::abs(r.x1 - r.x0) < kMinZoomPixels || std::abs(r.y1 - r.y0) < kMinZoomPixels)
        return true;
    const auto xa = lastPaint.dataX(r.x0), xb = lastPaint.dataX(r.x1);
    const auto ya = lastPaint.dataY(r.y0), yb = lastPaint.dataY(r.y1);
    if (xa && xb && ya && yb)
        zoom = zoomTarget(*xa, *ya, *xb, *yb, lastPaint.x, lastPaint.y);
    return true;
}

bool ChartInteraction::cancel()
{
    if (!dragging())
        return false;
    state_ = State::Done;
    return true;
}

std::optional<AxisRange> ChartInteraction::horizontalScroll(ScrollRequest request, int thumbPosition, bool barShown,
                                                            const ChartFrame& lastPaint)
{
    if (!barShown)
        return std::nullopt;
    return horizontalScrollTarget(request, thumbPosition, lastPaint.scale.x, lastPaint.fullX, lastPaint.xTicks.step);
}

std::optional<AxisRange> ChartInteraction::verticalScroll(ScrollRequest request, int thumbPosition, bool barShown,
                                                          const ChartFrame& lastPaint)
{
    if (!barShown)
        return std::nullopt;
    return verticalScrollTarget(request, thumbPosition, lastPaint.scale.y, lastPaint.fullY, lastPaint.yTicks.step);
}

} // namespace controls
