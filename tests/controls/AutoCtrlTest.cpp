// The chart as a widget, driven offscreen: zoom by dragging, scroll bars and scrolling, the
// notifications and the mouse messages passed on to the owner, and pictures of the calibration
// set-up.
#include "ControlScreenshots.h"

#include "ui/controls/CAutoCtrl.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QScreen>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <stdexcept>
#include <vector>

using namespace controls;

namespace {

struct RecordingChartListener : AutoCtrlListener {
    std::vector<AutoCtrlNotifyHeader> notifications;
    std::vector<ChartMouseMessage> mouse;
    int count(int code) const
    {
        int n = 0;
        for (const auto& h : notifications)
            n += h.code == code;
        return n;
    }
    void onZoomed(const AutoCtrlNotifyHeader& h) override { notifications.push_back(h); }
    void onHScrolled(const AutoCtrlNotifyHeader& h) override { notifications.push_back(h); }
    void onVScrolled(const AutoCtrlNotifyHeader& h) override { notifications.push_back(h); }
    void onChartMouseMessage(CAutoCtrl&, const ChartMouseMessage& m) override { mouse.push_back(m); }
};

class ChartTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        owner = std::make_unique<QWidget>();
        owner->resize(600, 400);
        chart = new CAutoCtrl(owner.get(), 1029);
        chart->setGeometry(0, 0, 600, 400);
        chart->setListener(&listener);
        for (int i = 0; i <= 100; ++i) {
            xs.push_back(i);
            ys.push_back(50 + 40 * std::sin(i / 10.0));
        }
        CAutoSeries& s = chart->series[chart->addSeries()];
        s.color = rgbColor(255, 0, 0);
        s.xData = xs.data();
        s.yData = ys.data();
        s.count = int(xs.size());
        s.updateAccessors();
        owner->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(owner.get()));
        paint();
    }

    // Paints twice: a paint that shows or hides a scroll bar changes the client area.
    void paint()
    {
        for (int i = 0; i < 2; ++i) {
            chart->grab();
            QCoreApplication::processEvents();
        }
    }

    void dragOnChart(QPoint from, QPoint to)
    {
        QWidget* vp = chart->viewport();
        QTest::mousePress(vp, Qt::LeftButton, {}, from);
        QTest::mouseMove(vp, (from + to) / 2);
        QTest::mouseMove(vp, to);
        QTest::mouseRelease(vp, Qt::LeftButton, {}, to);
    }

    QPoint plotPoint(double fx, double fy) const
    {
        const PixelRect& r = chart->lastFrame().scale.plot;
        return QPoint(r.left + int(fx * r.width()), r.top + int(fy * r.height()));
    }

    std::vector<double> xs, ys;
    RecordingChartListener listener;
    std::unique_ptr<QWidget> owner;
    CAutoCtrl* chart = nullptr;
};

bool hasColour(const QImage& image, QColor wanted)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == wanted)
                return true;
    return false;
}

} // namespace

TEST_F(ChartTest, ADragOfTwoPixelsDoesNotZoom)
{
    const QPoint c = plotPoint(0.5, 0.5);
    dragOnChart(c, c + QPoint(2, 60));
    dragOnChart(c, c + QPoint(60, -2));
    EXPECT_TRUE(chart->autoX);
    EXPECT_TRUE(chart->autoY);
    EXPECT_TRUE(listener.notifications.empty());
    EXPECT_FALSE(chart->interaction().dragging());
    QCoreApplication::processEvents();
    EXPECT_TRUE(listener.mouse.size() >= 2);   // the moves go on; the zoom's press and release do not
    for (const ChartMouseMessage& m : listener.mouse)
        EXPECT_EQ(m.code, WM_MOUSEMOVE);

    // A move that finds the button no longer down ends the drag without zooming.
    QWidget* vp = chart->viewport();
    QTest::mousePress(vp, Qt::LeftButton, {}, c);
    EXPECT_TRUE(chart->interaction().dragging());
    QMouseEvent move(QEvent::MouseMove, QPointF(c + QPoint(80, 80)), QPointF(vp->mapToGlobal(c + QPoint(80, 80))),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(vp, &move);
    EXPECT_FALSE(chart->interaction().dragging());
    QTest::mouseRelease(vp, Qt::LeftButton, {}, c + QPoint(80, 80));
    EXPECT_TRUE(listener.notifications.empty());
    EXPECT_TRUE(chart->autoX);

    // Three pixels both ways are a zoom.
    dragOnChart(c, c + QPoint(3, -3));
    EXPECT_EQ(listener.count(ACN_ZOOMED), 1);
    EXPECT_FALSE(chart->autoX);
}

TEST_F(ChartTest, ZoomIntoTheMiddleThenScrollToTheEnd)
{
    const ScaleMap old = chart->lastFrame().scale;
    const double oldXMin = old.x.lo, oldXMax = old.x.hi, oldYMin = old.y.lo, oldYMax = old.y.hi;
    EXPECT_FALSE(chart->horizontalScrollBar()->isVisible());

    QWidget* vp = chart->viewport();
    const QPoint from = plotPoint(0.35, 0.3), to = plotPoint(0.6, 0.7);
    QTest::mousePress(vp, Qt::LeftButton, {}, from);
    QTest::mouseMove(vp, to);
    EXPECT_TRUE(chart->interaction().dragging());
    saveControlScreenshot(chart, QStringLiteral("chart_dragging"));
    QTest::mouseRelease(vp, Qt::LeftButton, {}, to);

    ASSERT_EQ(listener.count(ACN_ZOOMED), 1);
    EXPECT_EQ(listener.notifications[0].senderId, 1029);
    EXPECT_EQ(listener.notifications[0].sender, chart);
    EXPECT_FALSE(chart->autoX);
    EXPECT_FALSE(chart->autoY);
    EXPECT_GT(chart->xMinFixed, oldXMin);
    EXPECT_LT(chart->xMaxFixed, oldXMax);
    EXPECT_GT(chart->yMinFixed, oldYMin);
    EXPECT_LT(chart->yMaxFixed, oldYMax);
    EXPECT_NEAR(chart->xMinFixed, oldXMin + 0.35 * (oldXMax - oldXMin), 0.02 * (oldXMax - oldXMin));

    paint();
    EXPECT_TRUE(chart->horizontalScrollBar()->isVisible());
    EXPECT_TRUE(chart->verticalScrollBar()->isVisible());
    saveControlScreenshot(chart, QStringLiteral("chart_zoomed"));
    EXPECT_DOUBLE_EQ(chart->lastFrame().fullX.lo, 0);
    EXPECT_DOUBLE_EQ(chart->lastFrame().fullX.hi, 100);

    const double width = chart->xMaxFixed - chart->xMinFixed;
    int scrolls = 0;
    for (int i = 0; i < 200; ++i) {
        const std::size_t before = listener.notifications.size();
        chart->horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        paint();
        if (listener.notifications.size() == before)
            break;
        ++scrolls;
    }
    EXPECT_GT(scrolls, 1);
    EXPECT_EQ(listener.count(ACN_HSCROLLED), scrolls);
    EXPECT_FALSE(chart->autoX);
    EXPECT_DOUBLE_EQ(chart->xMaxFixed, chart->lastFrame().fullX.hi);
    EXPECT_NEAR(chart->xMaxFixed - chart->xMinFixed, width, 1e-9 * width);
    EXPECT_EQ(chart->horizontalScrollBar()->value(), chart->horizontalScrollBar()->maximum());

    const double height = chart->yMaxFixed - chart->yMinFixed;
    chart->verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(listener.count(ACN_VSCROLLED), 1);
    EXPECT_NEAR(chart->yMaxFixed - chart->yMinFixed, height, 1e-9 * height);
    paint();
    saveControlScreenshot(chart, QStringLiteral("chart_scrolled_right"));
}

TEST_F(ChartTest, ADragBeyondThePlotStopsAtTheEdgesOfTheView)
{
    const double oldXMax = chart->lastFrame().scale.x.hi, oldYMin = chart->lastFrame().scale.y.lo;
    // Released over the labels in the chart's corner, beyond the plot area on both axes.
    const QPoint corner(chart->viewport()->width() - 2, chart->viewport()->height() - 2);
    ASSERT_GT(corner.x(), chart->lastFrame().scale.plot.right);
    ASSERT_GT(corner.y(), chart->lastFrame().scale.plot.bottom);
    dragOnChart(plotPoint(0.5, 0.5), corner);
    ASSERT_EQ(listener.count(ACN_ZOOMED), 1);
    EXPECT_DOUBLE_EQ(chart->xMaxFixed, oldXMax);
    EXPECT_DOUBLE_EQ(chart->yMinFixed, oldYMin);
}

TEST_F(ChartTest, TheMouseIsNotCapturedSoAReleaseOutsideDoesNotZoom)
{
    // Qt keeps sending a pressed button's moves and release to the widget that took the press;
    // the chart treats what happens outside its client area as not its own.
    QWidget* vp = chart->viewport();
    const QPoint from = plotPoint(0.3, 0.3), inside = plotPoint(0.6, 0.6);
    const QPoint outside(vp->width() + 30, vp->height() + 30);
    QTest::mousePress(vp, Qt::LeftButton, {}, from);
    QTest::mouseMove(vp, inside);
    QTest::mouseMove(vp, outside);
    EXPECT_EQ(chart->interaction().dragRect().x1, inside.x()) << "a move outside does not move the corner";
    QTest::mouseRelease(vp, Qt::LeftButton, {}, outside);
    EXPECT_FALSE(chart->interaction().dragging());
    EXPECT_TRUE(listener.notifications.empty());
    EXPECT_TRUE(chart->autoX && chart->autoY);
    QCoreApplication::processEvents();
    for (const ChartMouseMessage& m : listener.mouse)
        EXPECT_TRUE(vp->rect().contains(m.x, m.y)) << "passed on from outside: " << m.x << "," << m.y;

    // Leaving and coming back with the button still down goes on with the drag.
    QTest::mousePress(vp, Qt::LeftButton, {}, from);
    QTest::mouseMove(vp, outside);
    QTest::mouseMove(vp, inside);
    QTest::mouseRelease(vp, Qt::LeftButton, {}, inside);
    EXPECT_EQ(listener.count(ACN_ZOOMED), 1);
}

TEST_F(ChartTest, TheRubberBandRepaintsOnlyItsOldAndNewOutline)
{
    struct PaintRegions : QObject {
        QRegion painted;
        bool eventFilter(QObject*, QEvent* e) override
        {
            if (e->type() == QEvent::Paint)
                painted += static_cast<QPaintEvent*>(e)->region();
            return false;
        }
    } regions;
    QWidget* vp = chart->viewport();
    const QPoint from = plotPoint(0.2, 0.2), first = plotPoint(0.4, 0.5), second = plotPoint(0.5, 0.4);
    QTest::mousePress(vp, Qt::LeftButton, {}, from);
    QTest::mouseMove(vp, first);
    QCoreApplication::processEvents();

    vp->installEventFilter(&regions);
    QTest::mouseMove(vp, second);
    QCoreApplication::processEvents();
    vp->removeEventFilter(&regions);

    ASSERT_FALSE(regions.painted.isEmpty()) << "the move repaints the band";
    const QRect oldBand = QRect(from, first).normalized(), newBand = QRect(from, second).normalized();
    const QRegion allowed = QRegion(oldBand.adjusted(-2, -2, 2, 2)) + QRegion(newBand.adjusted(-2, -2, 2, 2));
    EXPECT_TRUE((regions.painted - allowed).isEmpty()) << "painted beyond the band";
    // Not even the inside of the band: only its outlines.
    const QPoint centre = QRect(from, first).intersected(QRect(from, second)).center();
    EXPECT_FALSE(regions.painted.contains(centre));

    // What the window shows: the band inverted at its new place and gone from the old one.
    QImage plain;
    ASSERT_TRUE(chart->renderFrame(plain));
    const QImage shown = owner->screen()->grabWindow(owner->winId()).toImage().convertToFormat(QImage::Format_RGB32);
    const QPoint offset = vp->mapTo(owner.get(), QPoint(0, 0));
    const auto inverted = [&](QPoint p) {
        return (shown.pixel(p + offset) & 0xFFFFFFu) == (~plain.pixel(p) & 0xFFFFFFu);
    };
    const auto unchanged = [&](QPoint p) { return (shown.pixel(p + offset) & 0xFFFFFFu) == (plain.pixel(p) & 0xFFFFFFu); };
    // The band covers the pixels from the smaller corner up to, not including, the larger one.
    EXPECT_TRUE(inverted({second.x() - 1, (from.y() + second.y()) / 2})) << "new right edge";
    EXPECT_TRUE(inverted({(from.x() + second.x()) / 2, second.y() - 1})) << "new bottom edge";
    EXPECT_TRUE(inverted({from.x(), (from.y() + second.y()) / 2})) << "left edge";
    EXPECT_TRUE(unchanged({second.x(), (from.y() + second.y()) / 2})) << "nothing beyond the corner";
    EXPECT_TRUE(unchanged({first.x() - 1, (from.y() + second.y()) / 2})) << "old right edge erased";
    EXPECT_TRUE(unchanged({(from.x() + first.x()) / 2, first.y() - 1})) << "old bottom edge erased";
    QTest::mouseRelease(vp, Qt::LeftButton, {}, second);
}

TEST_F(ChartTest, KeysNeverScrollAndGoOnToTheOwner)
{
    struct KeyCounter : QObject {
        int keys = 0;
        bool eventFilter(QObject*, QEvent* e) override
        {
            keys += e->type() == QEvent::KeyPress;
            return false;
        }
    } ownerKeys;
    owner->installEventFilter(&ownerKeys);
    // The chart is a static picture: it takes no keyboard focus, not even by a click.
    EXPECT_EQ(chart->focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(chart->horizontalScrollBar()->focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(chart->verticalScrollBar()->focusPolicy(), Qt::NoFocus);

    const auto pressAll = [&] {
        for (Qt::Key key : {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down, Qt::Key_PageUp,
                            Qt::Key_PageDown, Qt::Key_Home, Qt::Key_End}) {
            QTest::keyClick(chart, key);
            QTest::keyClick(chart->viewport(), key);
        }
    };
    // No scroll bar shown: nothing moves and the range stays automatic.
    ASSERT_FALSE(chart->horizontalScrollBar()->isVisible());
    pressAll();
    paint();
    EXPECT_TRUE(chart->autoX && chart->autoY);
    EXPECT_TRUE(listener.notifications.empty());
    EXPECT_GE(ownerKeys.keys, 8);
    // A hidden bar takes no action from anyone.
    chart->horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    chart->verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepSub);
    EXPECT_TRUE(chart->autoX && chart->autoY);
    EXPECT_TRUE(listener.notifications.empty());

    // Bars shown after a zoom scroll with the mouse only.
    dragOnChart(plotPoint(0.3, 0.3), plotPoint(0.6, 0.6));
    ASSERT_EQ(listener.count(ACN_ZOOMED), 1);
    paint();
    ASSERT_TRUE(chart->horizontalScrollBar()->isVisible());
    const double lo = chart->xMinFixed;
    pressAll();
    EXPECT_EQ(chart->xMinFixed, lo);
    EXPECT_EQ(listener.notifications.size(), 1u);
    owner->removeEventFilter(&ownerKeys);
}

TEST_F(ChartTest, FixedRangesWiderThanTheDataShowNoScrollBars)
{
    chart->autoX = chart->autoY = false;
    chart->xMinFixed = -50;
    chart->xMaxFixed = 150;
    chart->yMinFixed = -20;
    chart->yMaxFixed = 120;
    chart->invalidate();
    paint();
    EXPECT_FALSE(chart->horizontalScrollBar()->isVisible());
    EXPECT_FALSE(chart->verticalScrollBar()->isVisible());
    EXPECT_EQ(chart->lastFrame().scale.x, (AxisRange{-50, 150}));   // a fixed range is never widened

    // Narrower on x only: the horizontal bar alone.
    chart->xMinFixed = 20;
    chart->xMaxFixed = 60;
    paint();
    EXPECT_TRUE(chart->horizontalScrollBar()->isVisible());
    EXPECT_FALSE(chart->verticalScrollBar()->isVisible());
}

TEST_F(ChartTest, MouseMessagesArePostedToTheOwnerUnchanged)
{
    QWidget* vp = chart->viewport();
    QTest::mousePress(vp, Qt::RightButton, Qt::ShiftModifier, QPoint(123, 45));
    QTest::mouseRelease(vp, Qt::RightButton, Qt::ShiftModifier, QPoint(123, 45));
    QTest::mousePress(vp, Qt::MiddleButton, {}, QPoint(7, 8));
    QTest::mouseRelease(vp, Qt::MiddleButton, {}, QPoint(7, 8));
    EXPECT_TRUE(listener.mouse.empty());   // posted, not sent
    QCoreApplication::processEvents();
    ASSERT_EQ(listener.mouse.size(), 4u);
    EXPECT_EQ(listener.mouse[0].code, WM_RBUTTONDOWN);
    EXPECT_EQ(listener.mouse[0].keyState, std::uint32_t(MK_RBUTTON | MK_SHIFT));
    EXPECT_EQ(listener.mouse[0].x, 123);
    EXPECT_EQ(listener.mouse[0].y, 45);
    EXPECT_EQ(listener.mouse[1].code, WM_RBUTTONUP);
    EXPECT_EQ(listener.mouse[1].keyState, std::uint32_t(MK_SHIFT));
    EXPECT_EQ(listener.mouse[2].code, WM_MBUTTONDOWN);
    EXPECT_EQ(listener.mouse[3].code, WM_MBUTTONUP);
    EXPECT_TRUE(listener.notifications.empty());

    // A left double click goes on as a double click, and its release as a release.
    listener.mouse.clear();
    QTest::mouseClick(vp, Qt::LeftButton, {}, QPoint(200, 100));
    QTest::mousePress(vp, Qt::LeftButton, {}, QPoint(200, 100));
    QTest::mouseDClick(vp, Qt::LeftButton, {}, QPoint(200, 100));
    QTest::mouseRelease(vp, Qt::LeftButton, {}, QPoint(200, 100));
    QCoreApplication::processEvents();
    ASSERT_EQ(listener.mouse.size(), 2u);
    EXPECT_EQ(listener.mouse[0].code, WM_LBUTTONDBLCLK);
    EXPECT_EQ(listener.mouse[1].code, WM_LBUTTONUP);
}

TEST_F(ChartTest, NothingIsDrawnWhenThePlotAreaVanishes)
{
    chart->resize(40, 24);
    QImage frame;
    EXPECT_FALSE(chart->renderFrame(frame));
    chart->resize(600, 400);
    EXPECT_TRUE(chart->renderFrame(frame));
    EXPECT_EQ(frame.size(), QSize(600, 400));
}

TEST(ChartPicture, CalibrationSetUpWithARedLineAndBlueCrosses)
{
    // Tick labels keep a decimal point under the test's decimal-comma locale.
    EXPECT_EQ(CAutoAxis::tickLabel(2.5), u"2.5");

    // As the calibration tab sets the chart up: the fitted line in red, the points as blue
    // crosses, fixed ranges around the data.
    QWidget owner;
    owner.resize(600, 400);
    CAutoCtrl chart(&owner, 1029);
    chart.setGeometry(0, 0, 600, 400);
    chart.xTitle = u"Площадь";
    chart.yTitle = u"Концентрация, мг/дм3";
    const double lineX[] = {0, 1200};
    const double lineY[] = {0.05, 0.05 + 1200 * 0.0042};
    const double pointX[] = {110, 240, 515, 760, 1030};
    const double pointY[] = {0.5, 1.1, 2.2, 3.3, 4.4};
    CAutoSeries& line = chart.series[chart.addSeries()];
    line.color = rgbColor(255, 0, 0);
    line.xData = lineX;
    line.yData = lineY;
    line.count = 2;
    line.updateAccessors();
    CAutoSeries& points = chart.series[chart.addSeries()];
    points.color = rgbColor(0, 0, 255);
    points.markerStyle = MarkerDiagonalCross;
    points.lineMode = 0;
    points.xData = pointX;
    points.yData = pointY;
    points.count = 5;
    points.updateAccessors();
    chart.autoX = chart.autoY = false;
    chart.xMinFixed = 0;
    chart.xMaxFixed = 1200;
    chart.yMinFixed = 0;
    chart.yMaxFixed = 5.5;
    owner.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&owner));

    const QImage image = chart.grab().toImage();
    EXPECT_FALSE(saveControlScreenshot(&chart, QStringLiteral("chart_calibration")).isEmpty());
    EXPECT_TRUE(hasColour(image, QColor(255, 0, 0)));
    EXPECT_TRUE(hasColour(image, QColor(0, 0, 255)));
    EXPECT_TRUE(hasColour(image, QColor(191, 191, 191)));   // grid lines
    EXPECT_FALSE(chart.horizontalScrollBar()->isVisible());
    // The last x tick of the fixed range lies on its right edge.
    EXPECT_DOUBLE_EQ(chart.lastFrame().xTicks.last, 1200);

    // Zoomed in between the line's two points, the line still crosses the view.
    chart.xMinFixed = 500;
    chart.xMaxFixed = 600;
    chart.yMinFixed = 2;
    chart.yMaxFixed = 3;
    chart.invalidate();
    const QImage zoomed = chart.grab().toImage();
    saveControlScreenshot(&chart, QStringLiteral("chart_calibration_zoomed"));
    EXPECT_TRUE(hasColour(zoomed, QColor(255, 0, 0)));
    EXPECT_TRUE(chart.horizontalScrollBar()->isVisible());
}

TEST_F(ChartTest, AnOwnerThatThrowsLeavesNoDragHalfDone)
{
    struct Throwing : AutoCtrlListener {
        int calls = 0;
        void onZoomed(const AutoCtrlNotifyHeader&) override
        {
            ++calls;
            throw std::runtime_error("owner failed");
        }
        void onChartMouseMessage(CAutoCtrl&, const ChartMouseMessage&) override
        {
            ++calls;
            throw std::runtime_error("owner failed");
        }
    } throwing;
    chart->setListener(&throwing);
    QWidget* vp = chart->viewport();
    QTest::mousePress(vp, Qt::LeftButton, {}, plotPoint(0.2, 0.2));
    QTest::mouseMove(vp, plotPoint(0.5, 0.5));
    QTest::mouseRelease(vp, Qt::LeftButton, {}, plotPoint(0.5, 0.5));
    QCoreApplication::processEvents();
    EXPECT_GE(throwing.calls, 2);   // the zoom's notice and the posted moves
    EXPECT_FALSE(chart->interaction().dragging());
    EXPECT_FALSE(chart->autoX);     // the zoom itself stands
    // The chart goes on working.
    chart->setListener(&listener);
    QTest::mousePress(vp, Qt::LeftButton, {}, plotPoint(0.3, 0.3));
    QTest::mouseMove(vp, plotPoint(0.6, 0.6));
    QTest::mouseRelease(vp, Qt::LeftButton, {}, plotPoint(0.6, 0.6));
    EXPECT_EQ(listener.count(ACN_ZOOMED), 1);
}
