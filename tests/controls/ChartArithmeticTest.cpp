// Tick steps, data ranges, point mapping, polyline clipping and dots, markers and the layout of
// the chart, checked to the pixel on a recording surface.
#include "RecordingCanvas.h"

#include "ui/controls/CAutoPanel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

using namespace controls;
using controls::testing::DrawOp;
using controls::testing::RecordingCanvas;

namespace {

// A series over the given arrays, and the scale map of `rect` with the ranges [0, xMax] and [0, yMax].
CAutoSeries seriesOf(const double* xs, const double* ys, int n)
{
    CAutoSeries s;
    s.xData = xs;
    s.yData = ys;
    s.count = n;
    s.updateAccessors();
    return s;
}

ScaleMap scaleIn(const PixelRect& rect, double xMax, double yMax)
{
    return ScaleMap{rect, {0, xMax}, {0, yMax}};
}

std::vector<PixelPoint> dotCentres(const RecordingCanvas& canvas)
{
    std::vector<PixelPoint> centres;
    for (const DrawOp& op : canvas.opsOf(DrawOp::Ellipse))
        centres.push_back({op.rect.left + 2, op.rect.top + 2});
    return centres;
}

} // namespace

TEST(NiceStep, FixedRangeKeepsItsEndsAndTicksInside)
{
    // Steps 0.1, 0.2, 0.25 and 0.5 all have 1 and 2 among their multiples.
    for (double step : {0.1, 0.2, 0.25, 0.5}) {
        const auto run = CAutoAxis::niceStep(0.95, 2.05, 1100, step * 1000, false);
        ASSERT_TRUE(run.valid);
        EXPECT_NEAR(run.step, step, 1e-12) << step;
        EXPECT_DOUBLE_EQ(run.first, 1.0) << step;
        EXPECT_DOUBLE_EQ(run.last, 2.0) << step;
        EXPECT_EQ(run.lo, 0.95);
        EXPECT_EQ(run.hi, 2.05);
    }
    // 0.3 has no multiple at 1 or 2: the ticks are the multiples inside the range.
    const auto run = CAutoAxis::niceStep(0.95, 2.05, 1100, 300, false);
    EXPECT_NEAR(run.step, 0.3, 1e-12);
    EXPECT_NEAR(run.first, 1.2, 1e-12);
    EXPECT_NEAR(run.last, 1.8, 1e-12);
}

TEST(NiceStep, AutomaticAxisWidensOnlyWithinHalfAStep)
{
    const auto run = CAutoAxis::niceStep(0.98, 9.7, 872, 100, true);
    ASSERT_TRUE(run.valid);
    EXPECT_DOUBLE_EQ(run.step, 1.0);
    EXPECT_DOUBLE_EQ(run.hi, 10.0);   // 0.3 from the tick 10
    EXPECT_DOUBLE_EQ(run.lo, 0.98);   // 0.98 from the tick 0
    EXPECT_DOUBLE_EQ(run.first, 1.0);
    EXPECT_DOUBLE_EQ(run.last, 10.0);
    // Fixed, the same range is never widened.
    const auto fixed = CAutoAxis::niceStep(0.98, 9.7, 872, 100, false);
    EXPECT_DOUBLE_EQ(fixed.hi, 9.7);
    EXPECT_DOUBLE_EQ(fixed.last, 9.0);
}

TEST(NiceStep, MultipliersOfAPowerOfTen)
{
    struct Case { double c; double step; };
    for (const Case& k : {Case{0.00123, 0.001}, Case{1.6, 2}, Case{2.5, 2.5}, Case{2.7, 3}, Case{36, 50},
                          Case{80, 100}, Case{1.5, 1}}) {
        // The span 100 over 100 pixels with P = c gives exactly c units per tick.
        const auto run = CAutoAxis::niceStep(0, 100, 100, k.c, false);
        EXPECT_NEAR(run.step, k.step, k.step * 1e-12) << k.c;
    }
}

TEST(NiceStep, DegenerateRangesHaveNoTicks)
{
    for (auto [lo, hi] : {std::pair{1.0, 1.0}, std::pair{2.0, 1.0},
                          std::pair{-std::numeric_limits<double>::max(), std::numeric_limits<double>::max()}}) {
        const auto run = CAutoAxis::niceStep(lo, hi, 500, 30, true);
        EXPECT_FALSE(run.valid);
        EXPECT_TRUE(CAutoAxis::tickValues(run.first, run.last, run.step).empty());
    }
}

TEST(TickValues, WholeMultiplesWithoutNegativeZero)
{
    const auto ticks = CAutoAxis::tickValues(-0.3, 0.3, 0.1);
    ASSERT_EQ(ticks.size(), 7u);
    EXPECT_EQ(CAutoAxis::tickLabel(ticks[3]), u"0");
    EXPECT_EQ(CAutoAxis::tickLabel(ticks[6]), u"0.3");
    EXPECT_EQ(CAutoAxis::tickLabel(ticks[0]), u"-0.3");
}

TEST(AutoRange, EqualPointsSpanOneUnitOfPrecision)
{
    // An undefined value has no position and does not decide the range.
    const double xs[] = {5, std::numeric_limits<double>::quiet_NaN(), 5};
    CAutoPanel panel;
    CAutoSeries& s = panel.series[panel.addSeries()];
    s.xData = xs;
    s.yData = xs;
    s.count = 3;
    s.updateAccessors();
    const AxisRange x = panel.dataRangeX();
    EXPECT_DOUBLE_EQ(x.lo, 4.9995);
    EXPECT_DOUBLE_EQ(x.hi, 5.0005);
}

TEST(AutoRange, NarrowDataIsCentredInTheMinimumSpan)
{
    const double xs[] = {1000, 1000.5};
    CAutoPanel panel;
    CAutoSeries& s = panel.series[panel.addSeries()];
    s.xData = s.yData = xs;
    s.count = 2;
    s.updateAccessors();
    const AxisRange y = panel.dataRangeY();
    EXPECT_DOUBLE_EQ(y.lo, 1000.25 - 0.50025);
    EXPECT_DOUBLE_EQ(y.hi, 1000.25 + 0.50025);
}

TEST(AutoRange, NoPointsGiveTheHugeSymmetricRangeAndExponentLabels)
{
    CAutoPanel noSeries;
    EXPECT_EQ(noSeries.dataRangeX(), (AxisRange{0, 0}));

    CAutoPanel panel;
    panel.addSeries();
    const auto [lo, hi] = panel.dataRangeX();
    const double expected = std::numeric_limits<double>::max() / 2000;
    EXPECT_DOUBLE_EQ(hi, expected);
    EXPECT_DOUBLE_EQ(lo, -expected);

    RecordingCanvas canvas;
    const auto ticks = CAutoAxis::tickValues(CAutoAxis::layoutXTicks(canvas, {lo, hi}, 500, true).ticks);
    ASSERT_FALSE(ticks.empty());
    EXPECT_NE(CAutoAxis::tickLabel(ticks.back()).find(u"e+"), std::u16string::npos);
}

TEST(PointMapping, EndsOfTheRangeLandOnTheEdgesOfThePlot)
{
    ScaleMap c{{10, 20, 110, 220}, {0, 1}, {-1, 1}};
    EXPECT_EQ(c.mapX(0), 10);
    EXPECT_EQ(c.mapX(1), 109);
    EXPECT_EQ(c.mapX(0.5), 10 + 49);   // ceil(0.5 * 99 - 0.5)
    EXPECT_EQ(c.mapY(-1), 219);
    EXPECT_EQ(c.mapY(1), 20);
    // Far and undefined values stay far outside instead of overflowing.
    EXPECT_LT(c.mapX(-1e300), -1000000);
    EXPECT_GT(c.mapX(std::numeric_limits<double>::infinity()), 1000000);
    EXPECT_FALSE(c.contains({c.mapX(std::numeric_limits<double>::quiet_NaN()), 50}));
    c.x.hi = c.x.lo;
    EXPECT_EQ(c.mapX(0.3), 0);
}

TEST(Polyline, DotsMarkSegmentsOfThirteenPixelsOrMore)
{
    // One pixel per unit: x maps to x, y = 50 maps to 50.
    const double xs[] = {0, 10, 23, 13};
    const double ys[] = {50, 50, 50, 50};
    CAutoSeries s = seriesOf(xs, ys, 4);
    const ScaleMap scale = scaleIn({0, 0, 101, 101}, 100, 100);
    RecordingCanvas canvas;
    s.drawLine(canvas, scale);
    // 0 -> 10 has no dot, 10 -> 23 has one at 23, 23 -> 13 (10 back) has none; the first point never.
    EXPECT_EQ(dotCentres(canvas), (std::vector<PixelPoint>{{23, 50}}));
    std::vector<PixelPoint> drawn;
    for (const DrawOp& op : canvas.opsOf(DrawOp::Polyline))
        for (const PixelPoint& p : op.points)
            if (drawn.empty() || !(drawn.back() == p))
                drawn.push_back(p);
    EXPECT_EQ(drawn, (std::vector<PixelPoint>{{0, 50}, {10, 50}, {23, 50}, {13, 50}}));
}

TEST(Polyline, PointsOnTheSamePixelAreSkipped)
{
    const double xs[] = {0, 0.2, 0.3, 20};
    const double ys[] = {50, 50.1, 50.2, 50};
    CAutoSeries s = seriesOf(xs, ys, 4);
    const ScaleMap scale = scaleIn({0, 0, 101, 101}, 100, 100);
    const PolylineTrace trace = s.tracePolyline(scale);
    EXPECT_EQ(trace.points.front(), (PixelPoint{0, 50}));
    EXPECT_EQ(trace.points[1], (PixelPoint{20, 50}));
    // The dot goes by the distance from the last point drawn (0), not the skipped ones.
    ASSERT_GE(trace.steps.size(), 2u);
    EXPECT_TRUE(trace.steps[1].isDot);
}

TEST(Polyline, SegmentsAreClippedAtEachEdge)
{
    // Range 0..99 in a 100-pixel square at (10, 10): data (x, y) is pixel (10 + x, 109 - y).
    const PixelRect rect{10, 10, 110, 110};
    struct Case { double x, y; PixelPoint end; bool dot; };
    const Case cases[] = {
        {50, 149, {60, 10}, false},    // beyond the top
        {50, -51, {60, 109}, false},   // beyond the bottom: the last row inside
        {-50, 49, {10, 60}, true},     // beyond the left
        {150, 49, {109, 60}, true},    // beyond the right: the last column inside
        {150, -51, {109, 109}, true},  // beyond a corner
    };
    for (const Case& k : cases) {
        const double xs[] = {50, k.x};
        const double ys[] = {49, k.y};
        CAutoSeries s = seriesOf(xs, ys, 2);
        const ScaleMap scale = scaleIn(rect, 99, 99);
        RecordingCanvas canvas;
        s.drawLine(canvas, scale);
        const auto lines = canvas.opsOf(DrawOp::Polyline);
        ASSERT_EQ(lines.size(), 1u);
        EXPECT_EQ(lines[0].points, (std::vector<PixelPoint>{{60, 60}, k.end})) << k.x << "," << k.y;
        EXPECT_EQ(dotCentres(canvas).size(), k.dot ? 1u : 0u);
    }

    // Interpolation in whole pixels, edge after edge.
    PixelPoint a{60, 60}, b{160, 110};
    CAutoSeries::clipSegment(a, b, rect);
    EXPECT_EQ(a, (PixelPoint{60, 60}));
    EXPECT_EQ(b, (PixelPoint{109, 85}));
}

TEST(Polyline, ReenteringStartsAtTheEdgeAndCrossingSegmentsShowTheirInsidePart)
{
    const PixelRect rect{10, 10, 110, 110};
    const double xs[] = {-50, 150, 50, 52};
    const double ys[] = {50, 50, 50, 50};
    CAutoSeries s = seriesOf(xs, ys, 4);
    const ScaleMap scale = scaleIn(rect, 99, 99);
    RecordingCanvas canvas;
    s.drawLine(canvas, scale);
    const auto lines = canvas.opsOf(DrawOp::Polyline);
    // The first segment has both ends outside but crosses the plot: its inside part, no dot.
    // The second comes in through the right edge.
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].points, (std::vector<PixelPoint>{{10, 59}, {109, 59}}));
    EXPECT_EQ(lines[1].points, (std::vector<PixelPoint>{{109, 59}, {60, 59}}));
    EXPECT_EQ(lines[2].points, (std::vector<PixelPoint>{{60, 59}, {62, 59}}));
    // 100 pixels from the (unclipped) point outside: a dot where the line comes to rest.
    EXPECT_EQ(dotCentres(canvas), (std::vector<PixelPoint>{{60, 59}}));
}

TEST(Polyline, SegmentsPassingBesideThePlotAreNotDrawn)
{
    const PixelRect rect{10, 10, 110, 110};
    // Above the plot, on a line that would meet the top edge's row inside it if extended.
    const double xs[] = {40, 50, -20, -5};
    const double ys[] = {119, 129, 200, 50};
    CAutoSeries s = seriesOf(xs, ys, 4);
    const ScaleMap scale = scaleIn(rect, 99, 99);
    RecordingCanvas canvas;
    s.drawLine(canvas, scale);
    EXPECT_TRUE(canvas.opsOf(DrawOp::Polyline).empty());
    EXPECT_TRUE(canvas.opsOf(DrawOp::Ellipse).empty());

    // A diagonal through a corner region and straight through the middle.
    const auto crossing = CAutoSeries::clipCrossing({0, 60}, {60, 0}, rect);
    ASSERT_TRUE(crossing);
    EXPECT_EQ(crossing->first, (PixelPoint{10, 50}));
    EXPECT_EQ(crossing->second, (PixelPoint{50, 10}));
    EXPECT_FALSE(CAutoSeries::clipCrossing({0, 15}, {15, 0}, rect));
}

TEST(Markers, ShapesInsideThePlotOnly)
{
    const PixelRect rect{10, 10, 110, 110};
    const double xs[] = {50, 150};
    const double ys[] = {49, 49};
    for (int style : {MarkerCircle, MarkerDiagonalCross, MarkerUprightCross, MarkerSquare}) {
        CAutoSeries s = seriesOf(xs, ys, 2);
        const ScaleMap scale = scaleIn(rect, 99, 99);
        s.markerStyle = style;
        s.markerSize = 3;
        RecordingCanvas canvas;
        s.drawMarkers(canvas, scale);
        const PixelRect box{57, 57, 64, 64};
        switch (style) {
        case MarkerCircle:
            ASSERT_EQ(canvas.ops.size(), 1u);
            EXPECT_EQ(canvas.ops[0].kind, DrawOp::Ellipse);
            EXPECT_EQ(canvas.ops[0].rect, box);
            break;
        case MarkerSquare:
            ASSERT_EQ(canvas.ops.size(), 1u);
            EXPECT_EQ(canvas.ops[0].kind, DrawOp::Rectangle);
            EXPECT_EQ(canvas.ops[0].rect, box);
            break;
        case MarkerDiagonalCross:
            ASSERT_EQ(canvas.ops.size(), 2u);
            EXPECT_EQ(canvas.ops[0].points, (std::vector<PixelPoint>{{57, 57}, {64, 64}}));
            EXPECT_EQ(canvas.ops[1].points, (std::vector<PixelPoint>{{63, 57}, {56, 64}}));
            break;
        case MarkerUprightCross:
            ASSERT_EQ(canvas.ops.size(), 2u);
            EXPECT_EQ(canvas.ops[0].points, (std::vector<PixelPoint>{{60, 57}, {60, 64}}));
            EXPECT_EQ(canvas.ops[1].points, (std::vector<PixelPoint>{{57, 60}, {64, 60}}));
            break;
        }
    }
}

namespace {

struct PanelWithData {
    double xs[3] = {0, 50, 100};
    double ys[3] = {0, 40, 100};
    CAutoPanel panel;
    PanelWithData()
    {
        for (int i = 0; i < 2; ++i) {
            CAutoSeries& s = panel.series[panel.addSeries()];
            s.xData = xs;
            s.yData = ys;
            s.count = 3;
            s.markerStyle = MarkerCircle;
            s.updateAccessors();
        }
    }
};

int widestText(const RecordingCanvas& canvas, HAlign h)
{
    int widest = 0;
    for (const DrawOp& op : canvas.opsOf(DrawOp::Text))
        if (op.h == h && !op.rotated && op.v != VAlign::Bottom)
            widest = std::max(widest, int(op.text.size()) * canvas.charWidth);
    return widest;
}

} // namespace

TEST(Layout, PlotAreaLeavesRoomForLabelsAndEmptyTitlesTakeNone)
{
    PanelWithData d;
    RecordingCanvas canvas;   // cell 12 high, ascent 10: tickIn 4, tickOut 2, labelGap 2
    const ChartFrame frame = d.panel.render(canvas, {0, 0, 600, 400});
    ASSERT_TRUE(frame.drawn);
    const PixelRect r = frame.scale.plot;
    EXPECT_EQ(r.top, 10);                       // the font's ascent (style 11: g = 1)
    EXPECT_EQ(r.bottom, 399 - (12 + 2 + 2 + 1));
    const int w = widestText(canvas, HAlign::Center);
    const int v = widestText(canvas, HAlign::Right);
    EXPECT_EQ(r.left, 1 + 5 + std::max(v, w / 2 - 2 - 2));
    EXPECT_EQ(r.right, 599 - w / 2 - 1);
    EXPECT_TRUE(canvas.opsOf(DrawOp::Text).size() > 4);

    PanelWithData t;
    t.panel.xTitle = u"Площадь";
    t.panel.yTitle = u"Конц.";
    RecordingCanvas titled;
    const ChartFrame titledFrame = t.panel.render(titled, {0, 0, 600, 400});
    ASSERT_TRUE(titledFrame.drawn);
    EXPECT_EQ(titledFrame.scale.plot.bottom, r.bottom - (12 + 2));
    const auto texts = titled.opsOf(DrawOp::Text);
    const auto xTitle = std::find_if(texts.begin(), texts.end(), [](const DrawOp& op) { return op.text == u"Площадь"; });
    const auto yTitle = std::find_if(texts.begin(), texts.end(), [](const DrawOp& op) { return op.text == u"Конц."; });
    ASSERT_NE(xTitle, texts.end());
    ASSERT_NE(yTitle, texts.end());
    EXPECT_EQ(xTitle->at, (PixelPoint{598, 399}));
    EXPECT_EQ(xTitle->h, HAlign::Right);
    EXPECT_EQ(xTitle->v, VAlign::Bottom);
    EXPECT_EQ(yTitle->at, (PixelPoint{1, 2}));
    EXPECT_TRUE(yTitle->rotated);
}

TEST(Layout, APlotAreaThatVanishesDrawsNothing)
{
    PanelWithData d;
    RecordingCanvas canvas;
    EXPECT_FALSE(d.panel.render(canvas, {0, 0, 40, 25}).drawn);
    EXPECT_TRUE(canvas.opsOf(DrawOp::Polyline).empty());
    EXPECT_TRUE(canvas.opsOf(DrawOp::Line).empty());
}

TEST(DrawPanel, GridLinesFollowTheStyleBitsAndLaterSeriesAreHollow)
{
    for (int style : {0, 1, 2, 3, 4 | 1}) {
        PanelWithData d;
        d.panel.axisStyle = style;
        d.panel.gridColor = rgbColor(1, 2, 3);
        RecordingCanvas canvas;
        const ChartFrame p = d.panel.render(canvas, {0, 0, 500, 300});
        ASSERT_TRUE(p.drawn);
        const std::size_t xTicks = CAutoAxis::tickValues(p.xTicks).size();
        const std::size_t yTicks = CAutoAxis::tickValues(p.yTicks).size();
        std::size_t vertical = 0, horizontal = 0;
        for (const DrawOp& op : canvas.opsOf(DrawOp::Line)) {
            if (op.color != rgbColor(1, 2, 3))
                continue;
            if (op.points[0].x == op.points[1].x) {
                ++vertical;
                EXPECT_EQ(op.points[0].y, p.scale.plot.top + ((style & 4) ? p.sizes.tickIn : 0));
                EXPECT_EQ(op.points[1].y, p.scale.plot.bottom - p.sizes.tickIn);
            } else {
                ++horizontal;
            }
        }
        EXPECT_EQ(vertical, (style & 1) ? xTicks : 0u) << style;
        EXPECT_EQ(horizontal, (style & 2) ? yTicks : 0u) << style;
        // Both series have circles at the same points: the first filled, the second hollow.
        const auto circles = canvas.opsOf(DrawOp::Ellipse);
        ASSERT_EQ(circles.size() % 2, 0u);
        ASSERT_FALSE(circles.empty());
        EXPECT_EQ(circles.front().brush, ChartBrush::White);
        EXPECT_EQ(circles.back().brush, ChartBrush::Hollow);
        // Every tick has a label.
        std::size_t labels = canvas.opsOf(DrawOp::Text).size();
        EXPECT_EQ(labels, xTicks + yTicks);
    }
}

TEST(NiceStep, MultiplierThresholdsBelongToTheSmallerStep)
{
    // The span 1 over 1 pixel with P = c gives exactly c units per tick; at a threshold the smaller
    // multiplier holds, just above it the larger.
    struct Case { double threshold; double at; double above; };
    const Case cases[] = {{1.5, 1, 2}, {2.4, 2, 2.5}, {2.6, 2.5, 3}, {3.5, 3, 5}, {7.5, 5, 10}};
    for (const Case& k : cases) {
        for (double decade : {1.0, 10.0, 100.0}) {
            const double c = k.threshold * decade;
            const auto at = CAutoAxis::niceStep(0, 1, 1, c, false);
            const auto above = CAutoAxis::niceStep(0, 1, 1, std::nextafter(c, 1e9), false);
            EXPECT_DOUBLE_EQ(at.step, k.at * decade) << c;
            EXPECT_DOUBLE_EQ(above.step, k.above * decade) << c;
        }
    }
}

TEST(LayoutTicks, LabelsNeedThreeCharactersOfRoomBetweenTicks)
{
    // Fixed range 0..100; labels up to "100" are 18 pixels wide, three characters 18 more. On 360
    // pixels the first run's step 10 puts ticks exactly 36 apart: room enough. One pixel less and
    // the tick distance gets larger until the step becomes 20.
    RecordingCanvas canvas;
    for (auto [width, step] : {std::pair{360, 10.0}, std::pair{359, 20.0}}) {
        const auto layout = CAutoAxis::layoutXTicks(canvas, {0, 100}, width, false);
        EXPECT_EQ(layout.widestLabel, 18);
        EXPECT_DOUBLE_EQ(layout.ticks.step, step) << width;
        EXPECT_DOUBLE_EQ(layout.ticks.first, 0);
        EXPECT_DOUBLE_EQ(layout.ticks.last, 100);
    }
    // The y step wants two character heights (24 pixels) per tick, in one run: 100 units on 160
    // pixels are 15 per tick (the threshold 1.5), on 1000 pixels 2.4.
    for (auto [height, step] : {std::pair{160, 10.0}, std::pair{159, 20.0}, std::pair{1000, 2.0}, std::pair{999, 2.5}}) {
        EXPECT_DOUBLE_EQ(CAutoAxis::layoutYTicks(canvas, {0, 100}, height, false).ticks.step, step) << height;
    }
}

namespace {

// A panel drawn in a 500 x 300 client with a distinct axis colour, so that the frame and ticks can
// be told from the series.
struct DrawnPanel {
    PanelWithData d;
    RecordingCanvas canvas;
    ChartFrame frame;
    static constexpr COLORREF kAxis = rgbColor(0, 0, 200);
    explicit DrawnPanel(int style)
    {
        d.panel.axisStyle = style;
        d.panel.axisColor = kAxis;
        frame = d.panel.render(canvas, {0, 0, 500, 300});
        EXPECT_TRUE(frame.drawn);
    }
    std::vector<DrawOp> axisOps(DrawOp::Kind kind) const
    {
        std::vector<DrawOp> out;
        for (const DrawOp& op : canvas.opsOf(kind))
            if (op.color == kAxis)
                out.push_back(op);
        return out;
    }
};

} // namespace

TEST(DrawPanel, FrameTicksAndLabelsSitWhereTheStyleSays)
{
    for (int style : {0, 1 | 2, 8, 4, 11}) {
        DrawnPanel drawn(style);
        const ChartFrame& f = drawn.frame;
        const TickSizes& p = f.sizes;
        const ScaleMap& m = f.scale;
        const PixelRect& r = m.plot;
        const bool allSides = style & 4;
        const bool closed = style & (4 | 8);

        // The base rectangle: room for the top half of a label (the ascent) or the frame, and on
        // the right the frame and outer ticks.
        const int g = (closed ? 1 : 0) + (allSides ? p.tickOut : 0);
        EXPECT_EQ(r.top, std::max(g, 10)) << style;
        EXPECT_EQ(r.bottom, 299 - (12 + p.labelGap + p.tickOut + 1)) << style;

        const auto frames = drawn.axisOps(DrawOp::Polyline);
        ASSERT_EQ(frames.size(), 1u) << style;
        std::vector<PixelPoint> frame{{r.left - 1, r.top - 1}, {r.left - 1, r.bottom}, {r.right, r.bottom}};
        if (closed) {
            frame.push_back({r.right, r.top - 1});
            frame.push_back({r.left - 1, r.top - 1});
        }
        EXPECT_EQ(frames[0].points, frame) << style;

        const auto xTicks = CAutoAxis::tickValues(f.xTicks);
        const auto yTicks = CAutoAxis::tickValues(f.yTicks);
        std::vector<std::vector<PixelPoint>> expected;
        for (double v : xTicks) {
            const int x = m.mapX(v);
            if (allSides)
                expected.push_back({{x, r.top - p.tickOut - 1}, {x, r.top + p.tickIn}});
            expected.push_back({{x, r.bottom - p.tickIn}, {x, r.bottom + p.tickOut + 1}});
        }
        for (double v : yTicks) {
            const int y = m.mapY(v);
            if (allSides)
                expected.push_back({{r.right + p.tickOut, y}, {r.right - p.tickIn - 1, y}});
            expected.push_back({{r.left + p.tickIn - 1, y}, {r.left - p.tickOut - 2, y}});
        }
        std::vector<std::vector<PixelPoint>> ticks;
        for (const DrawOp& op : drawn.axisOps(DrawOp::Line))
            ticks.push_back(op.points);
        EXPECT_EQ(ticks, expected) << style;

        // Labels: x centred below the ticks, y right-aligned on their baseline; "%.10g" values.
        const auto labels = drawn.axisOps(DrawOp::Text);
        ASSERT_EQ(labels.size(), xTicks.size() + yTicks.size());
        for (std::size_t i = 0; i < xTicks.size(); ++i) {
            EXPECT_EQ(labels[i].at, (PixelPoint{m.mapX(xTicks[i]), r.bottom + p.tickOut + 1 + p.labelGap}));
            EXPECT_EQ(labels[i].h, HAlign::Center);
            EXPECT_EQ(labels[i].v, VAlign::Top);
            EXPECT_EQ(labels[i].text, CAutoAxis::tickLabel(xTicks[i]));
        }
        for (std::size_t i = 0; i < yTicks.size(); ++i) {
            const DrawOp& label = labels[xTicks.size() + i];
            EXPECT_EQ(label.at, (PixelPoint{r.left - p.tickOut - 1 - p.labelGap, m.mapY(yTicks[i])}));
            EXPECT_EQ(label.h, HAlign::Right);
            EXPECT_EQ(label.v, VAlign::Baseline);
        }
    }
}

TEST(Layout, PlotAreaIsAFixedPointOfTheLabelRule)
{
    // One pass of the rule: measure the labels for `rect` and narrow it to leave them room.
    const auto pass = [](const CAutoPanel& p, RecordingCanvas& canvas, PixelRect rect, PixelRect base) {
        const int w = CAutoAxis::layoutXTicks(canvas, p.dataRangeX(), rect.width(), p.autoX).widestLabel;
        const int v = CAutoAxis::layoutYTicks(canvas, p.dataRangeY(), rect.height(), p.autoY).widestLabel;
        return PixelRect{base.left + std::max(v, w / 2 - 2 - 2), rect.top, base.right - w / 2 - 1, rect.bottom}
            .intersected(rect);
    };
    // Narrow charts need several passes: every pass measures the labels for the area the last one
    // left, until nothing changes.
    int needingMorePasses = 0;
    for (int width : {120, 160, 220, 333, 600}) {
        PanelWithData d;
        d.ys[2] = 123456.75;   // long y labels
        RecordingCanvas canvas;
        const ChartFrame frame = d.panel.render(canvas, {0, 0, width, 200});
        ASSERT_TRUE(frame.drawn) << width;
        const PixelRect r = frame.scale.plot;
        const PixelRect base{1 + 5, 10, width - 1, 199 - 17};
        EXPECT_EQ(pass(d.panel, canvas, r, base), r) << width;
        needingMorePasses += !(pass(d.panel, canvas, base, base) == r);
    }
    EXPECT_GT(needingMorePasses, 0);

    // So narrow that the labels leave no room after a pass or two: nothing is drawn.
    PanelWithData d;
    d.ys[2] = 123456.75;
    RecordingCanvas canvas;
    EXPECT_FALSE(d.panel.render(canvas, {0, 0, 45, 200}).drawn);
    EXPECT_TRUE(canvas.opsOf(DrawOp::Polyline).empty());
}
