// The calibration page against calibration rows as a pass hands them over: which component it
// shows after each refresh, what the list, the label and the chart show for it, and what the
// model choice changes.
#include "CalibrationScreenshots.h"
#include "platform/Format.h"
#include "ui/GradTab.h"
#include "ui/controls/CAutoCtrl.h"
#include "ui/controls/CGridCtrl.h"

#include <QComboBox>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <gtest/gtest.h>

#include <cmath>

using ui::GradTab;

namespace {

CalibrationRow unfitted(std::u16string name, std::vector<CalibrationPoint> points = {})
{
    CalibrationRow row;
    row.name = std::move(name);
    row.pointCount = static_cast<int32_t>(points.size());
    row.points = std::move(points);
    return row;
}

// A row fitted the way the pass fits it (least squares with and without intercept), so that the
// pictures look like a real calibration.
CalibrationRow fitted(std::u16string name, std::vector<CalibrationPoint> points)
{
    CalibrationRow row = unfitted(std::move(name), std::move(points));
    double sx = 0, sy = 0, sxx = 0, sxy = 0;
    const double n = static_cast<double>(row.points.size());
    for (const CalibrationPoint& p : row.points) {
        sx += p.meanArea;
        sy += p.concentration;
        sxx += p.meanArea * p.meanArea;
        sxy += p.meanArea * p.concentration;
    }
    row.k1 = (n * sxy - sx * sy) / (n * sxx - sx * sx);
    row.k0 = (sy - row.k1 * sx) / n;
    row.k1Origin = sxy / sxx;
    row.fitted = true;
    return row;
}

std::vector<CalibrationRow> demoRows()
{
    return {
        fitted(u"Бензол", {{0.5, 1210.4, 2}, {1.0, 2468.0, 2}, {2.0, 4890.7, 3}, {5.0, 12344.2, 2}}),
        fitted(u"Толуол", {{0.5, 1480.0, 2}, {1.0, 3010.5, 2}, {2.0, 5850.1, 2}, {5.0, 14990.3, 2}}),
        unfitted(u"Этилбензол", {{1.0, 2100.0, 2}}),
        fitted(u"о-Ксилол", {{0.5, 905.2, 1}, {1.0, 1822.9, 2}, {2.0, 3702.4, 2}, {5.0, 9240.0, 3}}),
        unfitted(u"Стирол"),
    };
}

QStringList comboTexts(const QComboBox* combo)
{
    QStringList texts;
    for (int i = 0; i < combo->count(); ++i)
        texts << combo->itemText(i);
    return texts;
}

int selectedData(const QComboBox* combo)
{
    return combo->currentIndex() < 0 ? -1 : combo->currentData().toInt();
}

void selectComponent(GradTab& tab, int tableIndex)
{
    QComboBox* combo = tab.componentCombo();
    const int item = combo->findData(tableIndex);
    ASSERT_GE(item, 0);
    combo->setCurrentIndex(item);
}

void selectModel(GradTab& tab, int model)
{
    QComboBox* combo = tab.modelCombo();
    combo->setCurrentIndex(combo->findData(model));
}

QStringList listRow(const controls::CGridCtrl* grid, int row)
{
    QStringList cells;
    for (int c = 0; c < grid->columnCount(); ++c)
        cells << grid->cellText(row, c);
    return cells;
}

bool isRed(QRgb pixel) { return qRed(pixel) > 200 && qGreen(pixel) < 80 && qBlue(pixel) < 80; }

} // namespace

TEST(GradTab, PageIsSetUpBeforeAnyPass)
{
    GradTab tab;
    ASSERT_NE(tab.pointList(), nullptr);
    ASSERT_NE(tab.chart(), nullptr);
    ASSERT_NE(tab.componentCombo(), nullptr);
    ASSERT_NE(tab.modelCombo(), nullptr);
    ASSERT_NE(tab.coefficientLabel(), nullptr);

    const controls::CGridCtrl* list = tab.pointList();
    ASSERT_EQ(list->columnCount(), 4);
    const QStringList titles {"№", "Концентрация, мг/дм3", "Ср. площадь", "Измерений"};
    const int widths[] = {30, 130, 110, 80};
    for (int c = 0; c < 4; ++c) {
        EXPECT_EQ(list->columnTitle(c), titles[c]);
        EXPECT_EQ(list->columnWidth(c), widths[c]);
        EXPECT_EQ(list->columnAlignment(c), Qt::AlignLeft);
    }
    EXPECT_EQ(list->extendedStyle(), controls::CGridCtrl::GridLines | controls::CGridCtrl::FullRowSelect);

    // The sorted model list shows "k1*A" above "k1*A + k0"; the model with intercept is chosen.
    EXPECT_EQ(comboTexts(tab.modelCombo()), (QStringList {"k1*A", "k1*A + k0"}));
    EXPECT_EQ(tab.modelCombo()->itemData(0).toInt(), 0);
    EXPECT_EQ(tab.modelCombo()->itemData(1).toInt(), 1);
    EXPECT_EQ(selectedData(tab.modelCombo()), GradTab::kModelWithIntercept);

    const controls::CAutoCtrl* chart = tab.chart();
    EXPECT_EQ(chart->axisStyle, 8);
    EXPECT_EQ(chart->xTitle, u"Площадь");
    EXPECT_EQ(chart->yTitle, u"Концентрация");
    EXPECT_EQ(chart->titleColor, controls::rgbColor(0, 0, 255));
    ASSERT_EQ(chart->series.size(), 2u);
    const controls::CAutoSeries& line = chart->series[0];
    EXPECT_EQ(line.color, controls::rgbColor(255, 0, 0));
    EXPECT_EQ(line.lineMode, 1);
    EXPECT_EQ(line.penStyle, controls::PenSolid);
    EXPECT_EQ(line.penWidth, 2);
    EXPECT_EQ(line.markerStyle, controls::MarkerNone);
    const controls::CAutoSeries& points = chart->series[1];
    EXPECT_EQ(points.color, controls::rgbColor(0, 0, 255));
    EXPECT_EQ(points.lineMode, 0);
    EXPECT_EQ(points.markerStyle, controls::MarkerDiagonalCross);
    EXPECT_EQ(points.markerSize, 5);
    EXPECT_TRUE(chart->autoX && chart->autoY);

    // Until the first pass: no components, no points, the template's label text.
    EXPECT_EQ(tab.componentCombo()->count(), 0);
    EXPECT_EQ(tab.pointList()->rowCount(), 0);
    EXPECT_EQ(tab.coefficientLabel()->text(), "k1 = ---");
    EXPECT_EQ(points.pointCount(), 0);
}

TEST(GradTab, PassWithoutCalibrationListsEveryComponentWithNothingToShow)
{
    GradTab tab;
    tab.resize(900, 300);
    tab.refresh({unfitted(u"Толуол"), unfitted(u"Бензол"), unfitted(u"Ксилол")});

    EXPECT_EQ(comboTexts(tab.componentCombo()), (QStringList {"Бензол", "Ксилол", "Толуол"}));
    EXPECT_EQ(selectedData(tab.componentCombo()), 1) << "the first item of the sorted list";
    EXPECT_EQ(tab.pointList()->rowCount(), 0);
    EXPECT_EQ(tab.coefficientLabel()->text(), "k1 = ---");
    EXPECT_TRUE(tab.pointX().empty());
    EXPECT_TRUE(tab.lineX().empty());
    EXPECT_EQ(tab.chart()->series[0].pointCount(), 0);
    EXPECT_EQ(tab.chart()->series[1].pointCount(), 0);
    EXPECT_TRUE(tab.chart()->autoX && tab.chart()->autoY);

    // The chart still draws its frame and axes.
    tab.show();
    QImage frame;
    EXPECT_TRUE(tab.chart()->renderFrame(frame));
}

TEST(GradTab, FittedComponentShowsPointsLineAndFramedRanges)
{
    GradTab tab;
    CalibrationRow row = unfitted(u"Бензол", {{1.0, 100.0, 2}, {2.0, 200.0, 1}, {4.0, 400.0, 3}});
    row.fitted = true;
    row.k1 = 0.01;
    row.k0 = 0.002;
    row.k1Origin = 0.0105;
    tab.refresh({row});

    ASSERT_EQ(tab.pointList()->rowCount(), 3);
    EXPECT_EQ(listRow(tab.pointList(), 0), (QStringList {"1", "1", "100.0", "2"}));
    EXPECT_EQ(listRow(tab.pointList(), 2), (QStringList {"3", "4", "400.0", "3"}));
    EXPECT_EQ(tab.coefficientLabel()->text(), "k1 = 0.01; k0 = 0.002");

    EXPECT_EQ(tab.pointX(), (std::vector<double> {100, 200, 400}));
    EXPECT_EQ(tab.pointY(), (std::vector<double> {1, 2, 4}));
    EXPECT_EQ(tab.lineX(), (std::vector<double> {100, 400}));
    EXPECT_EQ(tab.lineY(), (std::vector<double> {0.01 * 100 + 0.002, 0.01 * 400 + 0.002}));

    const controls::CAutoCtrl* chart = tab.chart();
    EXPECT_FALSE(chart->autoX);
    EXPECT_FALSE(chart->autoY);
    EXPECT_DOUBLE_EQ(chart->xMinFixed, 100 - 15);
    EXPECT_DOUBLE_EQ(chart->xMaxFixed, 400 + 15);
    EXPECT_DOUBLE_EQ(chart->yMinFixed, 1 - 0.15);
    EXPECT_DOUBLE_EQ(chart->yMaxFixed, 4 + 0.15);

    // The series read the page's own arrays.
    EXPECT_EQ(chart->series[0].xData, tab.lineX().data());
    EXPECT_EQ(chart->series[0].pointCount(), 2);
    EXPECT_EQ(chart->series[1].yData, tab.pointY().data());
    EXPECT_EQ(chart->series[1].pointCount(), 3);
    EXPECT_DOUBLE_EQ(chart->series[1].pointX(2), 400);
}

TEST(GradTab, NumbersUseAPointAndTheFormatsOfEachColumn)
{
    GradTab tab;
    CalibrationRow row = unfitted(u"Бензол", {{0.123456, 1234.56, 12}, {12345.6, 0.04, 1}});
    row.fitted = true;
    row.k1 = 1.23456e-5;
    row.k0 = -0.5;
    row.k1Origin = 2.5;
    tab.refresh({row});
    EXPECT_EQ(listRow(tab.pointList(), 0), (QStringList {"1", "0.1235", "1234.6", "12"}));
    EXPECT_EQ(listRow(tab.pointList(), 1), (QStringList {"2", "1.235e+04", "0.0", "1"}));
    EXPECT_EQ(tab.coefficientLabel()->text(), "k1 = 1.235e-05; k0 = -0.5");
    selectModel(tab, GradTab::kModelThroughOrigin);
    EXPECT_EQ(tab.coefficientLabel()->text(), "k1 = 2.5");
}

TEST(GradTab, SwitchingTheModelChangesOnlyTheLabelAndTheLine)
{
    GradTab tab;
    tab.refresh(demoRows());
    selectComponent(tab, 1);
    const CalibrationRow& row = tab.rows()[1];
    const std::vector<double> pointsX = tab.pointX();
    const std::vector<double> pointsY = tab.pointY();
    const QStringList firstRow = listRow(tab.pointList(), 0);
    const double xMin = tab.chart()->xMinFixed, xMax = tab.chart()->xMaxFixed;
    const double yMin = tab.chart()->yMinFixed, yMax = tab.chart()->yMaxFixed;

    selectModel(tab, GradTab::kModelThroughOrigin);
    EXPECT_EQ(tab.coefficientLabel()->text(),
              QString::fromStdU16String(platform::format(u"k1 = %.4g", {row.k1Origin})));
    const double x0 = 1480.0, x1 = 14990.3;
    EXPECT_EQ(tab.lineX(), (std::vector<double> {x0, x1})) << "the line spans the measured areas in both models";
    EXPECT_EQ(tab.lineY(), (std::vector<double> {row.k1Origin * x0, row.k1Origin * x1}));
    EXPECT_EQ(tab.pointX(), pointsX);
    EXPECT_EQ(tab.pointY(), pointsY);
    EXPECT_EQ(tab.pointList()->rowCount(), 4);
    EXPECT_EQ(listRow(tab.pointList(), 0), firstRow);
    EXPECT_EQ(tab.chart()->xMinFixed, xMin);
    EXPECT_EQ(tab.chart()->xMaxFixed, xMax);
    EXPECT_EQ(tab.chart()->yMinFixed, yMin);
    EXPECT_EQ(tab.chart()->yMaxFixed, yMax);
    EXPECT_EQ(selectedData(tab.componentCombo()), 1);

    selectModel(tab, GradTab::kModelWithIntercept);
    EXPECT_EQ(tab.lineY(), (std::vector<double> {row.k1 * x0 + row.k0, row.k1 * x1 + row.k0}));
    EXPECT_TRUE(tab.coefficientLabel()->text().startsWith("k1 = ") &&
                tab.coefficientLabel()->text().contains("; k0 = "));
}

TEST(GradTab, PointsWithoutAFitKeepTheRangesOfTheLastLine)
{
    GradTab tab;
    std::vector<CalibrationRow> rows = demoRows();
    rows[2].name = u"Анилин";   // sorts first, so the first pass shows it

    // Nothing drawn with a line yet: the axes stay automatic.
    tab.refresh(rows);
    ASSERT_EQ(selectedData(tab.componentCombo()), 2);
    EXPECT_EQ(tab.coefficientLabel()->text(), "k1 = ---");
    EXPECT_EQ(tab.pointX(), (std::vector<double> {2100.0}));
    EXPECT_TRUE(tab.lineX().empty());
    EXPECT_EQ(tab.chart()->series[1].pointCount(), 1);
    EXPECT_EQ(tab.chart()->series[0].pointCount(), 0);
    EXPECT_TRUE(tab.chart()->autoX && tab.chart()->autoY);
    EXPECT_EQ(listRow(tab.pointList(), 0), (QStringList {"1", "1", "2100.0", "2"}));

    selectComponent(tab, 3);
    const double xMin = tab.chart()->xMinFixed, xMax = tab.chart()->xMaxFixed;
    const double yMin = tab.chart()->yMinFixed, yMax = tab.chart()->yMaxFixed;
    ASSERT_FALSE(tab.chart()->autoX);

    selectComponent(tab, 2);
    EXPECT_TRUE(tab.lineX().empty());
    EXPECT_FALSE(tab.chart()->autoX);
    EXPECT_FALSE(tab.chart()->autoY);
    EXPECT_EQ(tab.chart()->xMinFixed, xMin);
    EXPECT_EQ(tab.chart()->xMaxFixed, xMax);
    EXPECT_EQ(tab.chart()->yMinFixed, yMin);
    EXPECT_EQ(tab.chart()->yMaxFixed, yMax);
}

TEST(GradTab, SelectionSurvivesARefreshByTablePosition)
{
    GradTab tab;
    tab.refresh(demoRows());
    selectComponent(tab, 3);
    selectModel(tab, GradTab::kModelThroughOrigin);

    // The same table: the same position and model stay, and the page may be handed its own rows.
    tab.refresh(tab.rows());
    EXPECT_EQ(selectedData(tab.componentCombo()), 3);
    EXPECT_EQ(tab.componentCombo()->currentText(), "о-Ксилол");
    EXPECT_EQ(selectedData(tab.modelCombo()), GradTab::kModelThroughOrigin);
    EXPECT_EQ(tab.rows().size(), 5u);
    EXPECT_EQ(tab.pointList()->rowCount(), 4);

    // Another table: position 3 now holds another component, and that one is shown.
    std::vector<CalibrationRow> changed = demoRows();
    changed[3] = unfitted(u"Кумол", {{1.0, 50.0, 1}, {2.0, 90.0, 1}});
    tab.refresh(changed);
    EXPECT_EQ(selectedData(tab.componentCombo()), 3);
    EXPECT_EQ(tab.componentCombo()->currentText(), "Кумол");
    EXPECT_EQ(tab.pointList()->rowCount(), 2);
    EXPECT_EQ(tab.coefficientLabel()->text(), "k1 = ---");
    EXPECT_EQ(tab.pointX(), (std::vector<double> {50, 90}));
}

TEST(GradTab, ComponentSortedFirstButStandingLastIsSelectedByItsTableIndex)
{
    GradTab tab;
    tab.refresh({unfitted(u"толуол"), unfitted(u"Бензол", {{1, 10, 1}}), unfitted(u"ацетон", {{2, 20, 1}, {3, 35, 1}})});
    EXPECT_EQ(comboTexts(tab.componentCombo()), (QStringList {"ацетон", "Бензол", "толуол"}))
        << "letter case does not decide the order";
    EXPECT_EQ(tab.componentCombo()->itemData(0).toInt(), 2);
    EXPECT_EQ(selectedData(tab.componentCombo()), 2);
    EXPECT_EQ(tab.pointList()->rowCount(), 2);
    EXPECT_EQ(tab.pointY(), (std::vector<double> {2, 3}));
}

TEST(GradTab, RefreshAfterTheTableBecameShorterSelectsTheFirstItem)
{
    GradTab tab;
    tab.refresh(demoRows());
    selectComponent(tab, 4);
    tab.refresh({unfitted(u"Толуол"), fitted(u"Бензол", {{1, 100, 1}, {2, 210, 1}})});
    EXPECT_EQ(tab.componentCombo()->count(), 2);
    EXPECT_EQ(selectedData(tab.componentCombo()), 1);
    EXPECT_EQ(tab.componentCombo()->currentText(), "Бензол");
    EXPECT_EQ(tab.pointList()->rowCount(), 2);

    // And an empty pass empties everything.
    tab.refresh({});
    EXPECT_EQ(tab.componentCombo()->count(), 0);
    EXPECT_EQ(tab.pointList()->rowCount(), 0);
    EXPECT_EQ(tab.coefficientLabel()->text(), "k1 = ---");
    EXPECT_TRUE(tab.pointX().empty() && tab.lineX().empty());
    EXPECT_EQ(tab.chart()->series[1].pointCount(), 0);
}

TEST(GradTab, DegenerateFitsStillGetAVisibleSpan)
{
    GradTab tab;
    // One point (an owner may hand anything): the line spans one unit of area, the y margin is
    // 5 % of the concentration.
    CalibrationRow single = unfitted(u"A", {{2.0, 50.0, 1}});
    single.fitted = true;
    single.k1 = 0.04;
    CalibrationRow zero = unfitted(u"B", {{0.0, 10.0, 1}});
    zero.fitted = true;
    zero.k1Origin = 0;
    tab.refresh({single, zero});

    EXPECT_EQ(tab.lineX(), (std::vector<double> {50, 51}));
    EXPECT_DOUBLE_EQ(tab.chart()->xMinFixed, 50 - 0.05);
    EXPECT_DOUBLE_EQ(tab.chart()->xMaxFixed, 51 + 0.05);
    EXPECT_DOUBLE_EQ(tab.chart()->yMinFixed, 2 - 0.1);
    EXPECT_DOUBLE_EQ(tab.chart()->yMaxFixed, 2 + 0.1);

    // All concentrations 0: a margin of one unit.
    selectComponent(tab, 1);
    EXPECT_DOUBLE_EQ(tab.chart()->yMinFixed, -1);
    EXPECT_DOUBLE_EQ(tab.chart()->yMaxFixed, 1);
}

TEST(GradTab, LineThroughTheOriginIsClippedAtThePlotTop)
{
    GradTab tab;
    tab.resize(900, 320);
    // Through the origin the slope is far steeper than the points: the line's upper end lies
    // well above the largest concentration.
    CalibrationRow row = unfitted(u"Бензол", {{1.0, 100.0, 1}, {2.0, 200.0, 1}, {3.0, 300.0, 1}});
    row.fitted = true;
    row.k1 = 0.01;
    row.k0 = 0;
    row.k1Origin = 0.02;
    tab.refresh({row});
    selectModel(tab, GradTab::kModelThroughOrigin);
    EXPECT_EQ(tab.lineY(), (std::vector<double> {2.0, 6.0}));
    EXPECT_DOUBLE_EQ(tab.chart()->yMaxFixed, 3.1) << "the y range follows the points, not the line";

    tab.show();
    QImage frame;
    ASSERT_TRUE(tab.chart()->renderFrame(frame));
    const controls::PixelRect plot = tab.chart()->lastFrame().scale.plot;
    ASSERT_GT(plot.bottom - plot.top, 20);
    bool redOnTopRow = false;
    for (int x = plot.left; x < plot.right; ++x)
        redOnTopRow = redOnTopRow || isRed(frame.pixel(x, plot.top)) || isRed(frame.pixel(x, plot.top + 1));
    EXPECT_TRUE(redOnTopRow) << "the line reaches the plot's top edge";
    // The dot that marks the clipped end (5 pixels across, drawn with the 2-pixel pen) may reach
    // a few pixels above the edge; the line itself goes no further.
    for (int y = 0; y < plot.top - 4; ++y)
        for (int x = 0; x < frame.width(); ++x)
            ASSERT_FALSE(isRed(frame.pixel(x, y))) << "red above the plot at " << x << "," << y << ", top " << plot.top;
}

TEST(GradTab, ScreenshotsOfBothModels)
{
    GradTab tab;
    tab.resize(960, 330);
    tab.refresh(demoRows());
    selectComponent(tab, 0);
    tab.show();
    EXPECT_TRUE(saveCalibrationScreenshot(&tab, "GradTab_intercept"));
    selectModel(tab, GradTab::kModelThroughOrigin);
    EXPECT_TRUE(saveCalibrationScreenshot(&tab, "GradTab_origin"));
    selectComponent(tab, 2);
    EXPECT_TRUE(saveCalibrationScreenshot(&tab, "GradTab_no_fit"));
}

// A pass with the same names keeps the combo's items; the same names in another table order are
// another table, and every item's data follows its component's new position.
TEST(GradTab, TheSameNamesInAnotherOrderRenumberTheItems)
{
    GradTab tab;
    const std::vector<CalibrationRow> rows = demoRows();
    tab.refresh(rows);
    const QStringList sorted = comboTexts(tab.componentCombo());
    std::vector<CalibrationRow> reversed(rows.rbegin(), rows.rend());
    tab.refresh(reversed);
    EXPECT_EQ(comboTexts(tab.componentCombo()), sorted);
    for (int i = 0; i < tab.componentCombo()->count(); ++i) {
        const int index = tab.componentCombo()->itemData(i).toInt();
        ASSERT_GE(index, 0);
        ASSERT_LT(static_cast<std::size_t>(index), reversed.size());
        EXPECT_EQ(tab.componentCombo()->itemText(i), QString::fromStdU16String(reversed[static_cast<std::size_t>(index)].name));
    }
    // And back again, with the selection kept by table position.
    selectComponent(tab, 1);
    tab.refresh(rows);
    EXPECT_EQ(selectedData(tab.componentCombo()), 1);
    EXPECT_EQ(tab.componentCombo()->currentText(), QString::fromStdU16String(rows[1].name));
}
