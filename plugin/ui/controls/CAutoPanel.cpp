#include "ui/controls/CAutoPanel.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace controls {

CAutoPanel::CAutoPanel()
{
    titleFont.outPrecision = 7;   // TrueType only
    titleFont.quality = 2;        // proof quality
    titleFont.pitchAndFamily = 2; // variable pitch
}

int CAutoPanel::addSeries()
{
    series.emplace_back();
    return static_cast<int>(series.size()) - 1;
}

AxisRange CAutoPanel::dataRange(bool xAxis) const
{
    if (series.empty())
        return {0, 0};
    double mn = std::numeric_limits<double>::max();
    double mx = std::numeric_limits<double>::lowest();
    for (const CAutoSeries& s : series) {
        for (int i = 0; i < s.pointCount(); ++i) {
            const double v = xAxis ? s.pointX(i) : s.pointY(i);
            // Undefined values carry no position; they must not decide the range.
            if (std::isnan(v))
                continue;
            mn = std::min(mn, v);
            mx = std::max(mx, v);
        }
    }
    const double p = std::pow(10.0, xAxis ? xPrecision : yPrecision);
    if (mx != mn) {
        const double d = std::max(std::fabs(mx), std::fabs(mn)) / p;
        if (mx - mn < d) {
            const double centre = mn / 2 + mx / 2;
            mn = centre - d / 2;
            mx = centre + d / 2;
        }
    } else {
        mn -= 0.5 / p;
        mx += 0.5 / p;
    }
    return {mn, mx};
}

CAutoPanel::PlotFit CAutoPanel::fitPlotArea(TextMeasure& measure, const PixelRect& base, const TickSizes& sizes,
                                            AxisRange x, AxisRange y) const
{
    PixelRect rect = base;
    for (;;) {
        if (rect.isEmpty())
            return {PixelRect{}, x, y};
        const TickLayout xLayout = layoutXTicks(measure, x, rect.width(), autoX);
        const TickLayout yLayout = layoutYTicks(measure, y, rect.height(), autoY);
        x = {xLayout.ticks.lo, xLayout.ticks.hi};
        y = {yLayout.ticks.lo, yLayout.ticks.hi};
        const int w = xLayout.widestLabel;
        const int v = yLayout.widestLabel;
        PixelRect next{base.left + std::max(v, w / 2 - sizes.labelGap - sizes.tickOut), rect.top,
                       base.right - w / 2 - 1, rect.bottom};
        next = next.intersected(rect);
        if (next == rect)
            return {rect, x, y};
        rect = next;
    }
}

ChartFrame CAutoPanel::render(ChartCanvas& canvas, const PixelRect& client) const
{
    return render(canvas, client, dataRangeX(), dataRangeY());
}

ChartFrame CAutoPanel::render(ChartCanvas& canvas, const PixelRect& client, AxisRange dataX, AxisRange dataY) const
{
    ChartFrame frame;
    frame.fullX = dataX;
    frame.fullY = dataY;
    frame.scale.x = rangeInUseX(dataX);
    frame.scale.y = rangeInUseY(dataY);

    canvas.fillRect(client, ctrlBackColor);

    PixelRect block = client;
    block.bottom -= outerMargin;
    block.left += outerMargin;

    canvas.selectFont(titleFont);
    const TextMetrics titleMetrics = canvas.textMetrics();
    canvas.setTextColor(titleColor);
    const std::u16string_view xText = std::u16string_view(xTitle).substr(0, kTitleCapacity - 1);
    const std::u16string_view yText = std::u16string_view(yTitle).substr(0, kTitleCapacity - 1);
    if (!xText.empty())
        canvas.drawText(block.right - outerMargin - 1, block.bottom, xText, HAlign::Right, VAlign::Bottom, false);
    if (!yText.empty())
        canvas.drawText(block.left, block.top + outerMargin + 1, yText, HAlign::Right, VAlign::Top, true);
    if (!xText.empty())
        block.bottom -= titleMetrics.height + titleGap;
    if (!yText.empty())
        block.left += titleMetrics.height + titleGap;

    canvas.selectFont(axisFont);
    const TextMetrics axisMetrics = canvas.textMetrics();
    frame.sizes = tickSizes(axisMetrics.height);
    const TickSizes& sizes = frame.sizes;
    int g = (axisStyle & (AxisTicksAllSides | AxisClosedFrame)) ? 1 : 0;
    if (axisStyle & AxisTicksAllSides)
        g += sizes.tickOut;
    PixelRect base = block;
    base.top += std::max(g, axisMetrics.ascent);
    base.left += sizes.labelGap + sizes.tickOut + 1;
    base.right -= g;
    base.bottom -= axisMetrics.height + sizes.labelGap + sizes.tickOut + 1;

    const PlotFit fit = fitPlotArea(canvas, base, sizes, frame.scale.x, frame.scale.y);
    if (fit.plot.isEmpty())
        return frame;

    // The ticks of the fitted area, from the ranges the last pass left.
    const TickLayout xLayout = layoutXTicks(canvas, fit.x, fit.plot.width(), autoX);
    const TickLayout yLayout = layoutYTicks(canvas, fit.y, fit.plot.height(), autoY);
    frame.xTicks = xLayout.ticks;
    frame.yTicks = yLayout.ticks;
    frame.scale = ScaleMap{fit.plot, {xLayout.ticks.lo, xLayout.ticks.hi}, {yLayout.ticks.lo, yLayout.ticks.hi}};
    frame.drawn = true;
    drawPanel(canvas, frame);
    return frame;
}

void CAutoPanel::drawPanel(ChartCanvas& canvas, const ChartFrame& frame) const
{
    canvas.selectFont(axisFont);
    canvas.fillRect(frame.scale.plot, plotBackColor);
    if (axisPenWidth >= 2) {
        canvas.setPen(rgbColor(0, 0, 0), axisPenWidth, PenSolid);
        canvas.setBrush(ChartBrush::Hollow);
        canvas.rectangle(frame.scale.plot);
    }
    drawGrid(canvas, frame);
    drawSeries(canvas, frame);
    drawAxes(canvas, frame);
}

void CAutoPanel::drawGrid(ChartCanvas& canvas, const ChartFrame& frame) const
{
    canvas.setPen(gridColor, 0, PenSolid);
    const bool allSides = axisStyle & AxisTicksAllSides;
    const PixelRect& r = frame.scale.plot;
    const int tickIn = frame.sizes.tickIn;
    if (axisStyle & AxisVerticalGrid) {
        for (double v : tickValues(frame.xTicks)) {
            const int x = frame.scale.mapX(v);
            canvas.line({x, r.top + (allSides ? tickIn : 0)}, {x, r.bottom - tickIn});
        }
    }
    if (axisStyle & AxisHorizontalGrid) {
        for (double v : tickValues(frame.yTicks)) {
            const int y = frame.scale.mapY(v);
            canvas.line({r.right - 1 - (allSides ? tickIn : 0), y}, {r.left + tickIn - 1, y});
        }
    }
}

void CAutoPanel::drawSeries(ChartCanvas& canvas, const ChartFrame& frame) const
{
    // The first series fills its closed shapes with the surface's default white brush; the
    // hollow brush selected after it stays for all later series.
    canvas.setBrush(ChartBrush::White);
    bool first = true;
    for (const CAutoSeries& s : series) {
        canvas.setPen(s.color, s.penWidth, s.penStyle);
        s.drawMarkers(canvas, frame.scale);
        if (s.lineMode == 1)
            s.drawLine(canvas, frame.scale);
        if (first) {
            canvas.setBrush(ChartBrush::Hollow);
            first = false;
        }
    }
}

void CAutoPanel::drawAxes(ChartCanvas& canvas, const ChartFrame& frame) const
{
    const PixelRect& r = frame.scale.plot;
    const TickSizes& t = frame.sizes;
    const bool allSides = axisStyle & AxisTicksAllSides;
    canvas.setPen(axisColor, axisPenWidth, PenSolid);
    canvas.setTextColor(axisColor);

    std::vector<PixelPoint> box{{r.left - 1, r.top - 1}, {r.left - 1, r.bottom}, {r.right, r.bottom}};
    if (axisStyle & (AxisTicksAllSides | AxisClosedFrame)) {
        box.push_back({r.right, r.top - 1});
        box.push_back({r.left - 1, r.top - 1});
    }
    canvas.polyline(box.data(), box.size());

    for (double v : tickValues(frame.xTicks)) {
        const int x = frame.scale.mapX(v);
        if (allSides)
            canvas.line({x, r.top - t.tickOut - 1}, {x, r.top + t.tickIn});
        canvas.line({x, r.bottom - t.tickIn}, {x, r.bottom + t.tickOut + 1});
        canvas.drawText(x, r.bottom + t.tickOut + 1 + t.labelGap, tickLabel(v), HAlign::Center, VAlign::Top, false);
    }
    for (double v : tickValues(frame.yTicks)) {
        const int y = frame.scale.mapY(v);
        if (allSides)
            canvas.line({r.right + t.tickOut, y}, {r.right - t.tickIn - 1, y});
        canvas.line({r.left + t.tickIn - 1, y}, {r.left - t.tickOut - 2, y});
        canvas.drawText(r.left - t.tickOut - 1 - t.labelGap, y, tickLabel(v), HAlign::Right, VAlign::Baseline, false);
    }
}

} // namespace controls
