// Controls following their window's size by the templates' fractions.
#include "resources/ResourceModule.h"
#include "ui/DialogBuilder.h"
#include "resources/DialogLayouts.h"
#include "ui/ProportionalLayout.h"
#include "ui/TemplateResizeRules.h"

#include <QDialog>
#include <QWidget>
#include <gtest/gtest.h>

using ui::ProportionalLayout;
using ui::ResizeRule;

namespace {

const resources::DialogTemplate& builtIn(int id) { return *resources::findDialog(resources::builtInTables(), id); }

} // namespace

TEST(ProportionalLayout, PlacesByFractionsOfTheChange)
{
    const QRect start(10, 20, 100, 50);
    EXPECT_EQ(ProportionalLayout::place(start, {0, 0, 0, 0}, QSize(40, 30)), start);
    EXPECT_EQ(ProportionalLayout::place(start, {100, 100, 0, 0}, QSize(40, 30)), QRect(50, 50, 100, 50));
    EXPECT_EQ(ProportionalLayout::place(start, {0, 50, 100, 50}, QSize(40, 30)), QRect(10, 35, 140, 65));
    // Shrinking below the reference size never gives a negative size.
    EXPECT_EQ(ProportionalLayout::place(start, {0, 0, 100, 100}, QSize(-300, -300)).size(), QSize(0, 0));
}

TEST(ProportionalLayout, HalvesOfAnOddChangeNeitherGapNorOverlap)
{
    const QRect left(0, 0, 100, 10);
    const QRect right(110, 0, 80, 10);  // a 10-pixel gap between them
    for (int delta : {1, 3, 7, 101, -5, -33}) {
        const QRect l = ProportionalLayout::place(left, {0, 0, 50, 0}, QSize(delta, 0));
        const QRect r = ProportionalLayout::place(right, {50, 0, 50, 0}, QSize(delta, 0));
        EXPECT_EQ(r.left() - (l.left() + l.width()), 10) << delta;
        EXPECT_EQ(r.left() + r.width(), 190 + delta) << "the right one ends where the window grew to";
    }
}

TEST(ProportionalLayout, MainWindowControlsFollowTheirFractions)
{
    QDialog window;
    const auto built = ui::DialogBuilder(builtIn(101)).build(&window);
    ui::attachTemplateLayout(&window, built, 101);
    window.show();
    auto geometryOf = [&](int id) { return ui::findControl(&window, id)->geometry(); };
    const QRect list = geometryOf(1010), tabs = geometryOf(1012), close = geometryOf(2), add = geometryOf(1001);

    window.resize(window.size() + QSize(200, 100));
    EXPECT_EQ(geometryOf(1010), QRect(list.topLeft(), list.size() + QSize(200, 50)));
    EXPECT_EQ(geometryOf(1012), QRect(tabs.topLeft() + QPoint(0, 50), tabs.size() + QSize(200, 50)));
    EXPECT_EQ(geometryOf(2), close.translated(200, 100));
    EXPECT_EQ(geometryOf(1001), add) << "command buttons stay";
    EXPECT_EQ(geometryOf(1010).bottom() + (tabs.top() - list.bottom()), geometryOf(1012).top())
        << "the list and the tab control keep their distance";

    window.resize(window.size() - QSize(200, 100));
    EXPECT_EQ(geometryOf(1010), list) << "back to the template's layout";
    EXPECT_EQ(geometryOf(2), close);
}

TEST(ProportionalLayout, PeakTablesShareTheWidening)
{
    QWidget page;
    const auto built = ui::DialogBuilder(builtIn(115)).build(&page);
    ui::attachTemplateLayout(&page, built, 115);
    page.show();
    QWidget* channel1 = ui::findControl(&page, 1014);
    QWidget* channel2 = ui::findControl(&page, 1013);
    QWidget* caption1 = ui::builtWidget(built, -1);
    QWidget* caption2 = ui::builtWidget(built, resources::namedControl::channel2Caption);
    ASSERT_TRUE(caption1 && caption2);
    const QRect l = channel1->geometry(), r = channel2->geometry();
    const QRect c1 = caption1->geometry(), c2 = caption2->geometry();

    page.resize(page.size() + QSize(101, 40));
    EXPECT_EQ(channel1->geometry(), QRect(l.topLeft(), l.size() + QSize(51, 40)));
    EXPECT_EQ(channel2->geometry().left(), r.left() + 51);
    EXPECT_EQ(channel2->geometry().right(), r.right() + 101);
    EXPECT_EQ(channel2->geometry().height(), r.height() + 40);
    EXPECT_EQ(caption1->geometry(), c1);
    EXPECT_EQ(caption2->geometry(), c2.translated(51, 0)) << "\"Канал 2\" moves with its list";
}

TEST(ProportionalLayout, SingleListPagesFillBothWays)
{
    for (int id : {102, 136, 138}) {
        QWidget page;
        const auto built = ui::DialogBuilder(builtIn(id)).build(&page);
        ui::attachTemplateLayout(&page, built, id);
        page.show();
        QWidget* list = ui::findControl(&page, 1027);
        const QRect start = list->geometry();
        page.resize(page.size() + QSize(300, 150));
        EXPECT_EQ(list->geometry(), QRect(start.topLeft(), start.size() + QSize(300, 150))) << id;
    }
}

TEST(ProportionalLayout, CalibrationPageKeepsItsSelectorsAndSplitsTheRest)
{
    QWidget page;
    const auto built = ui::DialogBuilder(builtIn(134)).build(&page);
    ui::attachTemplateLayout(&page, built, 134);
    page.show();
    QWidget* list = ui::findControl(&page, 1027);
    QWidget* chart = ui::findControl(&page, 1029);
    QWidget* combo = ui::findControl(&page, 1030);
    const QRect l = list->geometry(), c = chart->geometry(), k = combo->geometry();
    page.resize(page.size() + QSize(200, 80));
    EXPECT_EQ(list->geometry(), QRect(l.topLeft(), l.size() + QSize(100, 80)));
    EXPECT_EQ(chart->geometry(), QRect(c.topLeft() + QPoint(100, 0), c.size() + QSize(100, 80)));
    EXPECT_EQ(combo->geometry(), k);
}

TEST(ProportionalLayout, HiddenWindowIsPlacedWhenShownOrWhenAsked)
{
    QWidget page;
    const auto built = ui::DialogBuilder(builtIn(102)).build(&page);
    ProportionalLayout* layout = ui::attachTemplateLayout(&page, built, 102);
    QWidget* list = ui::findControl(&page, 1027);
    const QRect start = list->geometry();

    page.resize(page.size() + QSize(60, 30));
    layout->apply();  // a hidden window gets no resize event until it is shown
    EXPECT_EQ(list->size(), start.size() + QSize(60, 30));

    page.resize(page.size() + QSize(10, 10));
    page.show();
    EXPECT_EQ(list->size(), start.size() + QSize(70, 40)) << "placed by the resize event on showing";
}

TEST(ProportionalLayout, TemplatesWithoutRulesKeepEverything)
{
    EXPECT_TRUE(ui::templateResizeRules(125).empty());
    EXPECT_TRUE(ui::templateResizeRules(140).empty());
    for (int id : {101, 102, 115, 134, 136, 138}) {
        for (const ui::ControlResizeRule& rule : ui::templateResizeRules(id)) {
            QWidget page;
            const auto built = ui::DialogBuilder(builtIn(id)).build(&page);
            EXPECT_NE(ui::ruledWidget(built, rule), nullptr)
                << "template " << id << " has no control " << rule.controlId << (rule.name ? rule.name : "");
        }
    }
}
