#include "ui/controls/CAutoSeries.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace controls {
namespace {

// Moves p along the segment towards q until its y is `edge` (whole pixels).
void moveOntoRow(PixelPoint& p, const PixelPoint& q, int edge)
{
    if (q.y == p.y)
        return;
    const std::int64_t dx = std::int64_t(q.x) - p.x;
    p.x = static_cast<int>(p.x + dx * (std::int64_t(edge) - p.y) / (std::int64_t(q.y) - p.y));
    p.y = edge;
}

void moveOntoColumn(PixelPoint& p, const PixelPoint& q, int edge)
{
    if (q.x == p.x)
        return;
    const std::int64_t dy = std::int64_t(q.y) - p.y;
    p.y = static_cast<int>(p.y + dy * (std::int64_t(edge) - p.x) / (std::int64_t(q.x) - p.x));
    p.x = edge;
}

PixelRect boxAround(PixelPoint c, int lowHalf, int highHalf)
{
    return {c.x - lowHalf, c.y - lowHalf, c.x + highHalf, c.y + highHalf};
}

} // namespace

void CAutoSeries::updateAccessors()
{
    if (xData && yData && count > 0) {
        xPoints_ = xData;
        yPoints_ = yData;
        pointCount_ = count;
    } else {
        xPoints_ = yPoints_ = nullptr;
        pointCount_ = 0;
    }
}

void CAutoSeries::drawMarkers(ChartCanvas& canvas, const ScaleMap& scale) const
{
    if (markerStyle == MarkerNone)
        return;
    const int s = markerSize;
    for (int i = 0; i < pointCount_; ++i) {
        const PixelPoint p = scale.map(xPoints_[i], yPoints_[i]);
        if (!scale.contains(p))
            continue;
        const int x = p.x, y = p.y;
        switch (markerStyle) {
        case MarkerCircle:
            canvas.ellipse(boxAround(p, s, s + 1));
            break;
        case MarkerDiagonalCross:
            canvas.line({x - s, y - s}, {x + s + 1, y + s + 1});
            canvas.line({x + s, y - s}, {x - s - 1, y + s + 1});
            break;
        case MarkerUprightCross:
            canvas.line({x, y - s}, {x, y + s + 1});
            canvas.line({x - s, y}, {x + s + 1, y});
            break;
        case MarkerSquare:
            canvas.rectangle(boxAround(p, s, s + 1));
            break;
        default:
            break;
        }
    }
}

void CAutoSeries::clipSegment(PixelPoint& a, PixelPoint& b, const PixelRect& rect)
{
    const int top = rect.top, bottom = rect.bottom - 1, left = rect.left, right = rect.right - 1;
    if (a.y < top)
        moveOntoRow(a, b, top);
    if (b.y < top)
        moveOntoRow(b, a, top);
    if (a.y > bottom)
        moveOntoRow(a, b, bottom);
    if (b.y > bottom)
        moveOntoRow(b, a, bottom);
    if (a.x < left)
        moveOntoColumn(a, b, left);
    if (b.x < left)
        moveOntoColumn(b, a, left);
    if (a.x > right)
        moveOntoColumn(a, b, right);
    if (b.x > right)
        moveOntoColumn(b, a, right);
}

std::optional<std::pair<PixelPoint, PixelPoint>> CAutoSeries::clipCrossing(PixelPoint a, PixelPoint b,
                                                                           const PixelRect& rect)
{
    if (rect.isEmpty())
        return std::nullopt;
    // Liang-Barsky over the pixels inside: left .. right - 1, top .. bottom - 1.
    const double x0 = a.x, y0 = a.y, dx = double(b.x) - a.x, dy = double(b.y) - a.y;
    double t0 = 0, t1 = 1;
    auto clip = [&](double p, double q) {
        if (p == 0)
            return q >= 0;
        const double t = q / p;
        if (p < 0) {
            if (t > t1)
                return false;
            t0 = std::max(t0, t);
        } else {
            if (t < t0)
                return false;
            t1 = std::min(t1, t);
        }
        return true;
    };
    if (!clip(-dx, x0 - rect.left) || !clip(dx, rect.right - 1 - x0) || !clip(-dy, y0 - rect.top) ||
        !clip(dy, rect.bottom - 1 - y0) || !(t0 < t1))
        return std::nullopt;
    auto at = [&](double t) {
        return PixelPoint{std::clamp(int(std::lround(x0 + t * dx)), rect.left, rect.right - 1),
                          std::clamp(int(std::lround(y0 + t * dy)), rect.top, rect.bottom - 1)};
    };
    const PixelPoint from = at(t0), to = at(t1);
    if (from == to)
        return std::nullopt;
    return std::make_pair(from, to);
}

PolylineTrace CAutoSeries::tracePolyline(const ScaleMap& scale) const
{
    PolylineTrace trace;
    if (pointCount_ < 2)
        return trace;

    bool runOpen = false;
    auto moveTo = [&](PixelPoint p) {
        trace.steps.push_back({false, trace.points.size(), 1, {}});
        trace.points.push_back(p);
        runOpen = true;
    };
    auto lineTo = [&](PixelPoint p) {
        if (!runOpen)
            moveTo(trace.points.empty() ? p : trace.points.back());
        trace.points.push_back(p);
        ++trace.steps.back().count;
    };

    // The previous point (unclipped) and whether it lies inside the plot.
    PixelPoint lastPoint = scale.map(xPoints_[0], yPoints_[0]);
    bool lastVisible = scale.contains(lastPoint);
    moveTo(lastPoint);
    for (int i = 1; i < pointCount_; ++i) {
        const PixelPoint p = scale.map(xPoints_[i], yPoints_[i]);
        if (p == lastPoint)
            continue;
        const bool visible = scale.contains(p);
        PixelPoint from = lastPoint, to = p;
        clipSegment(from, to, scale.plot);
        if (!lastVisible && visible)
            moveTo(from);
        if (lastVisible || visible) {
            lineTo(to);
            if (std::abs(static_cast<long long>(to.x) - lastPoint.x) >= kDotDistance) {
                trace.steps.push_back({true, 0, 0, to});
                // The line goes on from the dot's centre.
                moveTo(to);
            }
        } else {
            // Both ends lie outside, yet the segment may pass through the plot (a zoomed view
            // between two points): its inside part is drawn, without a dot, as neither end of it
            // is a point of the series.
            if (const auto crossing = clipCrossing(lastPoint, p, scale.plot)) {
                moveTo(crossing->first);
                lineTo(crossing->second);
            }
            runOpen = false;
        }
        lastPoint = p;
        lastVisible = visible;
    }
    return trace;
}

void CAutoSeries::drawLine(ChartCanvas& canvas, const ScaleMap& scale) const
{
    if (pointCount_ < 2)
        return;
    const PolylineTrace trace = tracePolyline(scale);
    for (const PolylineTrace::Step& step : trace.steps) {
        if (step.isDot)
            canvas.ellipse(boxAround(step.dot, 2, 3));
        else if (step.count >= 2)
            canvas.polyline(trace.points.data() + step.start, step.count);
    }
}

} // namespace controls
