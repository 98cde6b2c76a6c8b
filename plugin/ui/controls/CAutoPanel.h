#pragma once
// The chart's plotting state and drawing: ranges from the data or fixed by the owner, the layout
// of titles, labels and plot area, and the drawing of grid, series, axes and ticks.
#include "ui/controls/CAutoAxis.h"
#include "ui/controls/CAutoSeries.h"
#include "ui/controls/ChartCanvas.h"
#include "ui/controls/ColorRef.h"
#include "ui/controls/FontDescription.h"

#include <string>
#include <utility>
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

    // The data range of all series on the axis (computed once per paint).
    std::pair<double, double> autoRangeX();
    std::pair<double, double> autoRangeY();
    // The ranges in use: from the data on an automatic axis, the fixed range otherwise.
    void settleRanges();

    // Lays out titles, labels and the plot area in `client` and draws everything into the canvas.
    // Returns false, having drawn nothing worth showing, when the plot area vanishes.
    bool render(ChartCanvas& canvas, const PixelRect& client);

    // Draws the plot area, grid, series, axes, ticks and labels in plotRect.
    void drawPanel(ChartCanvas& canvas);

    // Fits the plot area into `base` so that the tick labels have room; empty when nothing fits.
    PixelRect fitPlotArea(ChartCanvas& canvas, const PixelRect& base);

private:
    std::pair<double, double> dataRange(bool xAxis);
    void drawGrid(ChartCanvas& canvas);
    void drawSeries(ChartCanvas& canvas);
    void drawAxes(ChartCanvas& canvas);
};

} // namespace controls
