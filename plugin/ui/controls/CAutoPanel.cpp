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

std::pair<double, double> CAutoPanel::dataRange(bool xAxis)
{
    bool& done = xAxis ? xRangeDone : yRangeDone;
    double& lo = xAxis ? xMin : yMin;
    double& hi = xAxis ? xMax : yMax;
    if (done)
        return {lo, hi};
    if (series.empty()) {
        lo = hi = 0;
        return {lo, hi};
    }
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
    lo = mn;
    hi = mx;
    done = true;
    return {lo, hi};
}

std::pair<double, double> CAutoPanel::autoRangeX() { return dataRange(true); }
std::pair<double, double> CAutoPanel::autoRangeY() { return dataRange(false); }

void CAutoPanel::settleRanges()
{
    if (autoX) {
        autoRangeX();
    } else {
        xMin = xMinFixed;
        xMax = xMaxFixed;
    }
    if (autoY) {
        autoRangeY();
    } else {
        yMin = yMinFixed;
        yMax = yMaxFixed;
    }
}

PixelRect CAutoPanel::fitPlotArea(ChartCanvas& canvas, const PixelRect& base)
{
    PixelRect rect = base;
    for (;;) {
        if (rect.isEmpty())
            return PixelRect{};
        plotRect = rect;
        settleRanges();
        const int w = layoutXTicks(canvas);
        const int v = layoutYTicks(canvas);
        PixelRect next{base.left + std::max(v, w / 2 - labelGap - tickOut), rect.top, base.right - w / 2 - 1,
                       rect.bottom};
        next = next.intersected(rect);
        if (next == rect)
            return rect;
        rect = next;
    }
}

bool CAutoPanel::render(ChartCanvas& canvas, const PixelRect& client)
{
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
    setTickSizes(axisMetrics.height);
    int g = (axisStyle & (AxisTicksAllSides | AxisClosedFrame)) ? 1 : 0;
    if (axisStyle & AxisTicksAllSides)
        g += tickOut;
    PixelRect base = block;
    base.top += std::max(g, axisMetrics.ascent);
    base.left += labelGap + tickOut + 1;
    base.right -= g;
    base.bottom -= axisMetrics.height + labelGap + tickOut + 1;

    const PixelRect plot = fitPlotArea(canvas, base);
    if (plot.isEmpty()) {
        clearRangeDone();
        return false;
    }
    plotRect = plot;
    drawPanel(canvas);
    return true;
}

void CAutoPanel::drawPanel(ChartCanvas& canvas)
{
    canvas.selectFont(axisFont);
    settleRanges();
    layoutXTicks(canvas);
    layoutYTicks(canvas);

    canvas.fillRect(plotRect, plotBackColor);
    if (axisPenWidth >= 2) {
        canvas.setPen(rgbColor(0, 0, 0), axisPenWidth, PenSolid);
        canvas.setBrush(ChartBrush::Hollow);
        canvas.rectangle(plotRect);
    }
    drawGrid(canvas);
    drawSeries(canvas);
    drawAxes(canvas);
    clearRangeDone();
}

void CAutoPanel::drawGrid(ChartCanvas& canvas)
{
    canvas.setPen(gridColor, 0, PenSolid);
    const bool allSides = axisStyle & AxisTicksAllSides;
    const PixelRect& r = plotRect;
    if (axisStyle & AxisVerticalGrid) {
        for (double v : tickValues(xFirstTick, xLastTick, xStep)) {
            const int x = mapX(v);
            canvas.line({x, r.top + (allSides ? tickIn : 0)}, {x, r.bottom - tickIn});
        }
    }
    if (axisStyle & AxisHorizontalGrid) {
        for (double v : tickValues(yFirstTick, yLastTick, yStep)) {
            const int y = mapY(v);
            canvas.line({r.right - 1 - (allSides ? tickIn : 0), y}, {r.left + tickIn - 1, y});
        }
    }
}

void CAutoPanel::drawSeries(ChartCanvas& canvas)
{
    // The first series fills its closed shapes with the surface's default white brush; the
    // hollow brush selected after it stays for all later series.
    canvas.setBrush(ChartBrush::White);
    bool first = true;
    const ScaleMap scale{plotRect, {xMin, xMax}, {yMin, yMax}};
    for (const CAutoSeries& s : series) {
        canvas.setPen(s.color, s.penWidth, s.penStyle);
        s.drawMarkers(canvas, scale);
        if (s.lineMode == 1)
            s.drawLine(canvas, scale);
        if (first) {
            canvas.setBrush(ChartBrush::Hollow);
            first = false;
        }
    }
}

void CAutoPanel::drawAxes(ChartCanvas& canvas)
{
    const PixelRect& r = plotRect;
    const bool allSides = axisStyle & AxisTicksAllSides;
    canvas.setPen(axisColor, axisPenWidth, PenSolid);
    canvas.setTextColor(axisColor);

    std::vector<PixelPoint> frame{{r.left - 1, r.top - 1}, {r.left - 1, r.bottom}, {r.right, r.bottom}};
    if (axisStyle & (AxisTicksAllSides | AxisClosedFrame)) {
        frame.push_back({r.right, r.top - 1});
        frame.push_back({r.left - 1, r.top - 1});
    }
    canvas.polyline(frame.data(), frame.size());

    for (double v : tickValues(xFirstTick, xLastTick, xStep)) {
        const int x = mapX(v);
        if (allSides)
            canvas.line({x, r.top - tickOut - 1}, {x, r.top + tickIn});
        canvas.line({x, r.bottom - tickIn}, {x, r.bottom + tickOut + 1});
        canvas.drawText(x, r.bottom + tickOut + 1 + labelGap, tickLabel(v), HAlign::Center, VAlign::Top, false);
    }
    for (double v : tickValues(yFirstTick, yLastTick, yStep)) {
        const int y = mapY(v);
        if (allSides)
            canvas.line({r.right + tickOut, y}, {r.right - tickIn - 1, y});
        canvas.line({r.left + tickIn - 1, y}, {r.left - tickOut - 2, y});
        canvas.drawText(r.left - tickOut - 1 - labelGap, y, tickLabel(v), HAlign::Right, VAlign::Baseline, false);
    }
}

} // namespace controls
