// One paint of a 600 x 400 chart with two series of 10,000 points each: settling ranges and
// scroll bars, layout, drawing into the off-screen image and copying it to the window's surface;
// and one move of the zoom rectangle over that chart.
#include "ui/controls/CAutoCtrl.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

using controls::CAutoCtrl;
using controls::CAutoSeries;

namespace {

struct ChartWithData {
    std::vector<double> x, y1, y2;
    CAutoCtrl chart;

    explicit ChartWithData(bool markers)
    {
        const int n = 10000;
        for (int i = 0; i < n; ++i) {
            const double t = i * 0.01;
            x.push_back(t);
            y1.push_back(50 + 30 * std::sin(t) + 5 * std::sin(t * 37.0));
            y2.push_back(40 + 20 * std::cos(t * 0.7) + 3 * std::sin(t * 91.0));
        }
        for (const std::vector<double>* ys : {&y1, &y2}) {
            CAutoSeries& s = chart.series[chart.addSeries()];
            s.xData = x.data();
            s.yData = ys->data();
            s.count = n;
            s.color = ys == &y1 ? controls::rgbColor(255, 0, 0) : controls::rgbColor(0, 0, 255);
            if (markers && ys == &y2)
                s.markerStyle = controls::MarkerDiagonalCross;
            s.updateAccessors();
        }
        chart.xTitle = u"Время, мин";
        chart.yTitle = u"Сигнал";
        chart.resize(600, 400);
        chart.show();
        QApplication::processEvents();
    }
};

void paintOnce(benchmark::State& state, bool markers)
{
    ChartWithData d(markers);
    QImage frame;
    QImage window(600, 400, QImage::Format_RGB32);
    for (auto _ : state) {
        const bool drawn = d.chart.renderFrame(frame);
        QPainter painter(&window);
        painter.drawImage(0, 0, frame);
        benchmark::DoNotOptimize(drawn);
    }
}

// One move of the zoom rectangle over the shown chart, through to the window's paint: the mouse
// event and the repaint it asks for.
void BM_MoveZoomRectangle(benchmark::State& state)
{
    ChartWithData d(true);
    QWidget* vp = d.chart.viewport();
    auto send = [vp](QEvent::Type type, QPoint p, Qt::MouseButtons buttons) {
        QMouseEvent e(type, QPointF(p), QPointF(vp->mapToGlobal(p)), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                      buttons, Qt::NoModifier);
        QCoreApplication::sendEvent(vp, &e);
    };
    QApplication::processEvents();
    send(QEvent::MouseButtonPress, {150, 100}, Qt::LeftButton);
    int i = 0;
    for (auto _ : state) {
        send(QEvent::MouseMove, {300 + (i++ % 50), 250}, Qt::LeftButton);
        QApplication::processEvents();
    }
    send(QEvent::MouseButtonRelease, {151, 101}, Qt::NoButton);
}

void BM_PaintTwoLineSeries(benchmark::State& state) { paintOnce(state, false); }
void BM_PaintLineAndMarkerSeries(benchmark::State& state) { paintOnce(state, true); }

} // namespace

BENCHMARK(BM_PaintTwoLineSeries)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintLineAndMarkerSeries)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MoveZoomRectangle)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
