// The chart under a real X server, driven by xdotool: focus, keys and the pointer grab behave
// differently there than offscreen. Run by hand with a display, for example
//   Xvfb :99 & DISPLAY=:99 QT_QPA_PLATFORM=xcb controls_widget_tests --gtest_filter='ChartOnRealDisplay*'
// Offscreen (as under ctest) the test says it skipped.
#include "ui/controls/CAutoCtrl.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLineEdit>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace controls;

namespace {

struct Notifications : AutoCtrlListener {
    int count = 0;
    void onZoomed(const AutoCtrlNotifyHeader&) override { ++count; }
    void onHScrolled(const AutoCtrlNotifyHeader&) override { ++count; }
    void onVScrolled(const AutoCtrlNotifyHeader&) override { ++count; }
};

// Runs xdotool and lets the events it caused arrive.
void xdotool(const QStringList& arguments)
{
    ASSERT_EQ(QProcess::execute(QStringLiteral("xdotool"), arguments), 0) << arguments.join(u' ').toStdString();
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 150)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

QStringList at(QPoint global)
{
    return {QStringLiteral("mousemove"), QString::number(global.x()), QString::number(global.y())};
}

} // namespace

TEST(ChartOnRealDisplay, NoFocusNoKeyScrollAndNoZoomOnAReleaseOutside)
{
    if (QGuiApplication::platformName() != QStringLiteral("xcb"))
        GTEST_SKIP() << "needs an X display (QT_QPA_PLATFORM=xcb), not " << QGuiApplication::platformName().toStdString();
    if (QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
        GTEST_SKIP() << "needs xdotool";

    QWidget owner;
    auto* layout = new QVBoxLayout(&owner);
    auto* edit = new QLineEdit(&owner);
    auto* chart = new CAutoCtrl(&owner, 1029);
    chart->setMinimumSize(500, 350);
    layout->addWidget(edit);
    layout->addWidget(chart);
    Notifications notes;
    chart->setListener(&notes);
    std::vector<double> xs, ys;
    for (int i = 0; i <= 100; ++i) {
        xs.push_back(i);
        ys.push_back(50 + 40 * std::sin(i / 10.0));
    }
    CAutoSeries& s = chart->series[chart->addSeries()];
    s.xData = xs.data();
    s.yData = ys.data();
    s.count = int(xs.size());
    s.updateAccessors();
    owner.move(40, 40);
    owner.show();
    owner.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&owner));
    edit->setFocus();
    QTest::qWait(100);

    const PixelRect plot = chart->lastFrame().scale.plot;
    auto global = [&](double fx, double fy) {
        return chart->viewport()->mapToGlobal(
            QPoint(plot.left + int(fx * plot.width()), plot.top + int(fy * plot.height())));
    };

    // A click on the chart leaves the focus where it was, and keys scroll nothing.
    xdotool(at(global(0.5, 0.5)) + QStringList{QStringLiteral("click"), QStringLiteral("1")});
    EXPECT_TRUE(edit->hasFocus());
    xdotool({QStringLiteral("key"), QStringLiteral("Right"), QStringLiteral("Page_Down"), QStringLiteral("Up")});
    EXPECT_TRUE(chart->autoX && chart->autoY);
    EXPECT_EQ(notes.count, 0);

    // Pressed on the chart, released beyond the window: no zoom, and no rectangle left behind.
    const QPoint beyond = owner.mapToGlobal(QPoint(owner.width() + 60, owner.height() / 2));
    xdotool(at(global(0.3, 0.3)) + QStringList{QStringLiteral("mousedown"), QStringLiteral("1")});
    xdotool(at(global(0.6, 0.6)));
    EXPECT_TRUE(chart->interaction().dragging());
    xdotool(at(beyond) + QStringList{QStringLiteral("mouseup"), QStringLiteral("1")});
    EXPECT_FALSE(chart->interaction().dragging());
    EXPECT_EQ(notes.count, 0);
    EXPECT_TRUE(chart->autoX && chart->autoY);

    // Released on the chart: the zoom.
    xdotool(at(global(0.3, 0.3)) + QStringList{QStringLiteral("mousedown"), QStringLiteral("1")});
    xdotool(at(global(0.5, 0.5)));
    xdotool(at(global(0.6, 0.6)) + QStringList{QStringLiteral("mouseup"), QStringLiteral("1")});
    EXPECT_EQ(notes.count, 1);
    EXPECT_FALSE(chart->autoX);
    EXPECT_TRUE(edit->hasFocus());
}
