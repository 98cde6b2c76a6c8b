#pragma once
// The chart's settings and drawing: ranges from the data or fixed by the owner, the layout of
// titles, labels and plot area, and the drawing of grid, series, axes and ticks. Its fields are the
// owner's inputs; a paint keeps nothing here and returns what it settled as a ChartFrame.
#include "ui/controls/CAutoAxis.h"
#include "ui/controls/CAutoSeries.h"
#include "ui/controls/ChartCanvas.h"
#include "ui/controls/ChartFrame.h"
#include "ui/controls/ColorRef.h"
#include "ui/controls/FontDescription.h"

#include <string>
#include <vector>

namespace controls {

// axisStyle bits
enum ChartAxisStyle : int {
    AxisVerticalGrid = 1,
    AxisHorizontalGrid = 2,
    AxisTicksAllSides = 4,   // ticks on the top and right edges as well
    AxisClosedFrame = 8,     // the frame is closed with the top and right edges
};

class CAutoPanel : public CAutoAxis {
public:
    CAutoPanel();

    std::vector<CAutoSeries> series;
    COLORREF axisColor = rgbColor(0, 0, 0);
    COLORREF gridColor = rgbColor(191, 191, 191);
    COLORREF plotBackColor = rgbColor(255, 255, 255);
    int axisPenWidth = 0;
    int axisStyle = AxisVerticalGrid | AxisHorizontalGrid | AxisClosedFrame;
    COLORREF titleColor = rgbColor(0, 0, 0);
    COLORREF ctrlBackColor = rgbColor(255, 255, 255);
    int titleGap = 2;
    int outerMargin = 1;
    std::u16string xTitle;   // at most kTitleCapacity - 1 units are kept
    std::u16string yTitle;
    FontDescription titleFont;

    static constexpr std::size_t kTitleCapacity = 256;

    // Appends a series with its defaults and returns its index.
    int addSeries();

    // The data range of all series on each axis.
    AxisRange dataRangeX() const { return dataRange(true); }
    AxisRange dataRangeY() const { return dataRange(false); }

    // Lays out titles, labels and the plot area in `client` and draws everything into the canvas,
    // for the data ranges of this paint (computed once, by the caller or here). Returns what the
    // paint settled; `drawn` is false, with nothing worth showing drawn, when the plot area vanishes.
    ChartFrame render(ChartCanvas& canvas, const PixelRect& client, AxisRange dataX, AxisRange dataY) const;
    ChartFrame render(ChartCanvas& canvas, const PixelRect& client) const;

    // Fits the plot area into `base` so that the tick labels have room, starting from the ranges
    // in use; each pass may widen automatic ranges to their ticks, and the next starts from there.
    struct PlotFit {
        PixelRect plot;   // empty when nothing fits
        AxisRange x;
        AxisRange y;
    };
    PlotFit fitPlotArea(TextMeasure& measure, const PixelRect& base, const TickSizes& sizes, AxisRange x,
                        AxisRange y) const;

    // Draws the plot area, grid, series, axes, ticks and labels of a settled frame.
    void drawPanel(ChartCanvas& canvas, const ChartFrame& frame) const;

private:
    AxisRange dataRange(bool xAxis) const;
    void drawGrid(ChartCanvas& canvas, const ChartFrame& frame) const;
    void drawSeries(ChartCanvas& canvas, const ChartFrame& frame) const;
    void drawAxes(ChartCanvas& canvas, const ChartFrame& frame) const;
};

} // namespace controls
