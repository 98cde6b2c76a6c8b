#pragma once
// The arithmetic of the chart's scroll bars and zoom: where the bars stand for a view of the data,
// which range a scroll request or a dragged rectangle leads to. The control only applies the
// results; keeping them here lets them be checked exactly.
#include "ui/controls/ScaleMap.h"

#include <optional>

namespace controls {

struct ScrollBarState {
    bool shown = false;
    bool rangeSet = false;   // the bar's range and position below apply
    int maximum = 0;         // the range is 0 .. maximum
    int position = 0;
};

// Scroll requests, named for the horizontal bar; on the vertical bar "back" is up (towards larger
// values) and "forward" is down.
enum class ScrollRequest { LineBack, LineForward, PageBack, PageForward, ThumbTrack, Other };

// The horizontal bar: one step of the bar is one tick step; position 0 shows the data's start.
ScrollBarState horizontalBarState(AxisRange full, AxisRange view, double step);
// The vertical bar: positions count from the top of the data.
ScrollBarState verticalBarState(AxisRange full, AxisRange view, double step);

// The view after a scroll request, or nothing when the request leaves it as it is.
std::optional<AxisRange> horizontalScrollTarget(ScrollRequest request, int thumbPosition, AxisRange view,
                                                AxisRange full, double step);
std::optional<AxisRange> verticalScrollTarget(ScrollRequest request, int thumbPosition, AxisRange view,
                                              AxisRange full, double step);

struct ZoomTarget {
    AxisRange x;
    AxisRange y;
};

// The ranges a zoom into the corners (xa, ya) and (xb, yb) leads to: never wider than the current
// view. Nothing when either span would fall below a hundred-thousandth of its values.
std::optional<ZoomTarget> zoomTarget(double xa, double ya, double xb, double yb, AxisRange viewX, AxisRange viewY);

// A zoom rectangle smaller than this in either direction is taken for a click.
constexpr int kMinZoomPixels = 3;

} // namespace controls
