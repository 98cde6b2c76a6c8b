#pragma once
// The chart's zoom and scroll interaction, free of any window: the zoom rectangle dragged with the
// left button as a small state machine, and the ranges that a finished drag or a scroll request
// leads to. The control feeds it the mouse and scroll-bar events and applies what it answers.
//
//   Idle --press--> Pressing --move with the button to another point--> Dragging
//   Pressing, Dragging --release, or a move without the button, or cancel--> Done
//   Done --press--> Pressing
#include "ui/controls/ChartFrame.h"
#include "ui/controls/ChartNavigation.h"

#include <optional>

namespace controls {

// Start point (x0, y0) and current corner (x1, y1) of the zoom rectangle, in client pixels.
struct DragRect {
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    friend bool operator==(const DragRect&, const DragRect&) = default;
};

class ChartInteraction {
public:
    enum class State { Idle, Pressing, Dragging, Done };

    State state() const { return state_; }
    // A zoom rectangle is under way: its outline shows on the chart.
    bool dragging() const { return state_ == State::Pressing || state_ == State::Dragging; }
    const DragRect& dragRect() const { return rect_; }

    // Left button down. Starts a zoom unless one is under way; false when the press is not the
    // zoom's (the owner then gets it).
    bool press(PixelPoint p);

    // A move over the chart. True when the rectangle changed (moved, or ended because the button
    // is no longer down): its outline before and after needs repainting.
    bool move(PixelPoint p, bool leftButtonDown);

    // Left button up over the chart. False when no zoom was under way (the release is then the
    // owner's). Otherwise the drag is done, and `zoom` receives the ranges of the zoom when the
    // rectangle, read in the last paint's scale, makes one.
    bool release(const ScaleMap& lastPaint, std::optional<ZoomTarget>& zoom);

    // The drag ends without a zoom: the button went up over another window, or the press turned
    // out to be the start of a double click. True when a drag was under way.
    bool cancel();

    // The view a scroll request leads to: nothing while the bar is hidden (there is no
    // scrolling without a bar) or when the view stays as it is.
    static std::optional<AxisRange> horizontalScroll(ScrollRequest request, int thumbPosition, bool barShown,
                                                     const ChartFrame& lastPaint);
    static std::optional<AxisRange> verticalScroll(ScrollRequest request, int thumbPosition, bool barShown,
                                                   const ChartFrame& lastPaint);

private:
    State state_ = State::Idle;
    DragRect rect_;
};

} // namespace controls
