#pragma once
// One data series of the chart: its points (arrays the owner keeps), its pen and its markers,
// and the rules by which it is drawn into the panel's plot area. It keeps nothing of a paint: the
// scale map of the paint is handed to every drawing call.
#include "ui/controls/ChartCanvas.h"
#include "ui/controls/ColorRef.h"
#include "ui/controls/ScaleMap.h"

#include <cstddef>
#include <optional>
#include <utility>
#include <vector>

namespace controls {

enum ChartMarkerStyle : int { MarkerNone = 0, MarkerCircle = 1, MarkerDiagonalCross = 2, MarkerUprightCross = 3, MarkerSquare = 4 };

// The polyline of a series as drawing steps: runs of connected points, and the dots that mark
// long segments. Steps are kept in drawing order, because a dot's fill covers what lies under it.
struct PolylineTrace {
    struct Step {
        bool isDot = false;
        std::size_t start = 0;   // a run: its first point in `points`
        std::size_t count = 0;   // a run: its number of points
        PixelPoint dot;          // a dot: its centre
    };
    std::vector<PixelPoint> points;
    std::vector<Step> steps;
};

class CAutoSeries {
public:
    COLORREF color = rgbColor(0, 0, 0);
    int count = 0;
    const double* xData = nullptr;
    const double* yData = nullptr;
    int markerStyle = MarkerNone;
    int penStyle = PenSolid;
    int penWidth = 0;
    int markerSize = 4;
    int lineMode = 1;   // 0: markers only; 1: a polyline through the points in order

    // Takes the current xData, yData and count as the points to draw. Until the next call the
    // series reads exactly those arrays, so the owner calls this after changing any of the three.
    void updateAccessors();
    int pointCount() const { return pointCount_; }
    double pointX(int i) const { return xPoints_[i]; }
    double pointY(int i) const { return yPoints_[i]; }

    void drawMarkers(ChartCanvas& canvas, const ScaleMap& scale) const;
    void drawLine(ChartCanvas& canvas, const ScaleMap& scale) const;

    // The polyline's drawing steps, with segments clipped to the plot rectangle.
    PolylineTrace tracePolyline(const ScaleMap& scale) const;

    // Clips the segment a-b against the plot rectangle's edges in the order top, bottom - 1,
    // left, right - 1, moving an end that lies beyond an edge onto it.
    static void clipSegment(PixelPoint& a, PixelPoint& b, const PixelRect& rect);

    // The part inside the plot rectangle of a segment whose ends both lie outside it, if the
    // segment passes through it.
    static std::optional<std::pair<PixelPoint, PixelPoint>> clipCrossing(PixelPoint a, PixelPoint b,
                                                                         const PixelRect& rect);

    // A segment ending this many pixels (horizontally) from its start gets a dot at its end.
    static constexpr int kDotDistance = 13;

private:
    const double* xPoints_ = nullptr;
    const double* yPoints_ = nullptr;
    int pointCount_ = 0;
};

} // namespace controls
