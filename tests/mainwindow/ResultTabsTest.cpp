// The four read-only result pages filled with rows made here: columns, number formats with a
// point whatever the locale, the placeholders "-" and "---", the statuses, the retitled reference
// columns, and the messages page with its log.
#include "engine/MessageLog.h"
#include "ui/CalculationTab.h"
#include "ui/ComponentsTab.h"
#include "ui/IdentTab.h"
#include "ui/MessagesTab.h"
#include "ui/controls/CGridCtrl.h"

#include <QCoreApplication>
#include <QListView>
#include <gtest/gtest.h>

#include <memory>

namespace {

QStringList rowTexts(const controls::CGridCtrl* grid, int row)
{
    QStringList texts;
    for (int c = 0; c < grid->columnCount(); ++c)
        texts << grid->cellText(row, c);
    return texts;
}

QStringList titles(const controls::CGridCtrl* grid)
{
    QStringList texts;
    for (int c = 0; c < grid->columnCount(); ++c)
        texts << grid->columnTitle(c);
    return texts;
}

QStringList widths(const controls::CGridCtrl* grid)
{
    QStringList texts;
    for (int c = 0; c < grid->columnCount(); ++c)
        texts << QString::number(grid->columnWidth(c));
    return texts;
}

Peak peak(const char16_t* name, double area, double time)
{
    Peak p;
    p.name = name;
    p.area = area;
    p.time = time;
    return p;
}

TEST(ComponentsTab, ListsPeaksOfEachChannelWithTheirFormats)
{
    ui::ComponentsTab tab(nullptr);
    auto* first = tab.grid(ui::ComponentsTab::kChannel1List);
    auto* second = tab.grid(ui::ComponentsTab::kChannel2List);
    ASSERT_TRUE(first && second);
    const QStringList expectedTitles {QStringLiteral("№"), QStringLiteral("Компонент"), QStringLiteral("Площадь пика"),
                                      QStringLiteral("Время выхода")};
    EXPECT_EQ(titles(first), expectedTitles);
    EXPECT_EQ(titles(second), expectedTitles);
    EXPECT_EQ(widths(first), (QStringList {"30", "110", "110", "110"}));
    EXPECT_EQ(first->selectionMode(), QAbstractItemView::SingleSelection);

    tab.fillList(ui::ComponentsTab::kChannel1List, {peak(u"Метанол", 1234.56, 5.4071), peak(u"", 0.04, 12.0)});
    ASSERT_EQ(first->rowCount(), 2);
    EXPECT_EQ(rowTexts(first, 0), (QStringList {"1", QStringLiteral("Метанол"), "1234.6", "5.407"}));
    EXPECT_EQ(rowTexts(first, 1), (QStringList {"2", "", "0.0", "12.000"}));
    EXPECT_EQ(second->rowCount(), 0);

    // A fill appends; the caller empties first.
    tab.fillList(ui::ComponentsTab::kChannel1List, {peak(u"Этанол", 1, 1)});
    EXPECT_EQ(first->rowCount(), 3);
    EXPECT_EQ(rowTexts(first, 2)[0], "3");
    tab.emptyLists();
    EXPECT_EQ(first->rowCount(), 0);
    EXPECT_EQ(second->rowCount(), 0);
}

IdentificationRow identRow(const char16_t* name, double ref1, double time1, bool found1, double ref2, double time2,
                           bool found2, int mainChannel, bool identified)
{
    IdentificationRow r;
    r.name = name;
    r.refTime1 = ref1;
    r.peakTime1 = time1;
    r.found1 = found1;
    r.refTime2 = ref2;
    r.peakTime2 = time2;
    r.found2 = found2;
    r.mainChannel = mainChannel;
    r.identified = identified;
    return r;
}

TEST(IdentTab, ShowsTimesPlaceholdersStatusesAndRetitlesReferenceColumns)
{
    ui::IdentTab tab(nullptr);
    auto* list = tab.grid(ui::IdentTab::kList);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(widths(list), (QStringList {"30", "110", "130", "130", "130", "130", "80", "120"}));
    EXPECT_EQ(titles(list)[3], QStringLiteral("Время канал 1 град"));

    const IdentificationList rows {
        identRow(u"Метанол", 5.4, 5.4123, true, 2.75, 2.7519, true, 2, true),
        // No reference time and no peak on channel 1; a peak on channel 2 outside any reference.
        identRow(u"Этилацетат", 0, 0, false, 0, 4.25, true, 1, false),
    };
    tab.fill(rows, false);
    EXPECT_EQ(titles(list), (QStringList {QStringLiteral("№"), QStringLiteral("Компонент"),
                                         QStringLiteral("Время канал 1 факт"), QStringLiteral("Время канал 1 табл"),
                                         QStringLiteral("Время канал 2 факт"), QStringLiteral("Время канал 2 табл"),
                                         QStringLiteral("Осн. канал"), QStringLiteral("Статус")}));
    ASSERT_EQ(list->rowCount(), 2);
    EXPECT_EQ(rowTexts(list, 0), (QStringList {"1", QStringLiteral("Метанол"), "5.412", "5.400", "2.752", "2.750", "2",
                                              QStringLiteral("Идентифицирован")}));
    EXPECT_EQ(rowTexts(list, 1), (QStringList {"2", QStringLiteral("Этилацетат"), "---", "-", "4.250", "-", "1",
                                              QStringLiteral("Не подтверждён")}));

    // A fill replaces the rows; with a calibration the columns are "град" again.
    tab.fill({rows[1]}, true);
    EXPECT_EQ(list->rowCount(), 1);
    EXPECT_EQ(titles(list)[3], QStringLiteral("Время канал 1 град"));
    EXPECT_EQ(titles(list)[5], QStringLiteral("Время канал 2 град"));
    EXPECT_EQ(rowTexts(list, 0)[0], "1");
    tab.empty();
    EXPECT_EQ(list->rowCount(), 0);
}

QuantitationRow quantRow(const char16_t* name, bool detected, bool valid, double concentration)
{
    QuantitationRow r;
    r.name = name;
    r.detected = detected;
    r.valid = valid;
    r.concentration = concentration;
    return r;
}

TEST(CalculationTab, StatusAndConcentrationForEachCase)
{
    ui::CalculationTab tab(nullptr);
    auto* list = tab.grid(ui::CalculationTab::kList);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(titles(list), (QStringList {QStringLiteral("№"), QStringLiteral("Компонент"), QStringLiteral("Статус"),
                                         QStringLiteral("Концентрация, мг/дм3")}));
    EXPECT_EQ(widths(list), (QStringList {"30", "130", "130", "150"}));

    tab.fill({quantRow(u"Метанол", true, true, 118.04449), quantRow(u"Изобутанол", true, false, 0),
              quantRow(u"Метилацетат", false, false, 0)});
    ASSERT_EQ(list->rowCount(), 3);
    EXPECT_EQ(rowTexts(list, 0), (QStringList {"1", QStringLiteral("Метанол"), QStringLiteral("Идентифицирован"), "118.044"}));
    EXPECT_EQ(rowTexts(list, 1), (QStringList {"2", QStringLiteral("Изобутанол"), QStringLiteral("Идентифицирован"), "---"}));
    EXPECT_EQ(rowTexts(list, 2), (QStringList {"3", QStringLiteral("Метилацетат"), QStringLiteral("Не подтверждён"),
                                              QStringLiteral("не обнаружено")}));
    tab.fill({});
    EXPECT_EQ(list->rowCount(), 0);
}

// The lines a list view shows, read through its model as the view does.
QStringList shownLines(const QListView* list)
{
    QStringList texts;
    for (int i = 0; i < list->model()->rowCount(); ++i)
        texts << list->model()->index(i, 0).data().toString();
    return texts;
}

TEST(MessagesTab, OwnsTheOneLogAndListsItNumbered)
{
    EXPECT_EQ(theMessageLog(), nullptr);
    auto tab = std::make_unique<ui::MessagesTab>(nullptr);
    ASSERT_EQ(theMessageLog(), &tab->log());
    QListView* list = tab->list();
    ASSERT_NE(list, nullptr);
    ASSERT_NE(list->model(), nullptr);
    EXPECT_EQ(list->editTriggers(), QAbstractItemView::NoEditTriggers);

    tab->showMessages();
    EXPECT_EQ(shownLines(list), QStringList {QStringLiteral("Сообщений нет!")});

    theMessageLog()->addError(u"Ошибка %d", 1);
    theMessageLog()->addError(u"Ошибка %d", 2);
    theMessageLog()->addWarning(u"\"%s\": внимание", u"Я");
    tab->showMessages();
    EXPECT_EQ(shownLines(list), (QStringList {QStringLiteral("Ошибки:"), QStringLiteral("    1. Ошибка 1"),
                                             QStringLiteral("    2. Ошибка 2"), QStringLiteral("Предупреждения:"),
                                             QStringLiteral("    3. \"Я\": внимание")}));

    // The list shows the log as it was handed over: what the next pass clears and writes in the
    // log reaches the list only when it is shown again.
    const QStringList handedOver = shownLines(list);
    theMessageLog()->clear();
    for (int i = 0; i < 3; ++i)
        theMessageLog()->addInfo(u"следующий расчёт");
    EXPECT_EQ(shownLines(list), handedOver);
    EXPECT_EQ(list->model()->rowCount(), 5);
    tab->showMessages();
    EXPECT_EQ(shownLines(list).size(), 4);
    EXPECT_EQ(shownLines(list).back(), QStringLiteral("    3. следующий расчёт"));
    EXPECT_EQ(tab->shownLines(), theMessageLog()->displayLines());

    // A refill replaces the lines and drops the selection the old ones had, as a refilled list
    // box does; the lines show in the order given, unsorted.
    list->setCurrentIndex(list->model()->index(2, 0));
    ASSERT_TRUE(list->selectionModel()->hasSelection());
    tab->showLines({u"б", u"а"});
    EXPECT_EQ(shownLines(list), (QStringList {QStringLiteral("б"), QStringLiteral("а")}));
    EXPECT_FALSE(list->selectionModel()->hasSelection());
    EXPECT_FALSE(list->currentIndex().isValid());

    tab->clear();
    EXPECT_EQ(list->model()->rowCount(), 0);
    EXPECT_TRUE(tab->log().empty());

    tab.reset();
    EXPECT_EQ(theMessageLog(), nullptr);
}

TEST(MessagesTab, FiftyThousandLinesStillShowTheFirstAndTheLast)
{
    auto tab = std::make_unique<ui::MessagesTab>(nullptr);
    for (int i = 1; i <= 50000; ++i)
        tab->log().addWarning(u"Сообщение %s", QString::number(i).toStdU16String());
    tab->resize(600, 300);
    tab->show();
    tab->showMessages();
    QListView* list = tab->list();
    ASSERT_EQ(list->model()->rowCount(), 50001);
    QCoreApplication::processEvents();

    const QModelIndex top = list->indexAt(QPoint(4, 4));
    ASSERT_TRUE(top.isValid());
    EXPECT_EQ(top.row(), 0);
    EXPECT_EQ(top.data().toString(), QStringLiteral("Предупреждения:"));
    EXPECT_EQ(list->model()->index(1, 0).data().toString(), QStringLiteral("    1. Сообщение 1"));

    list->scrollToBottom();
    QCoreApplication::processEvents();
    const QModelIndex last = list->model()->index(50000, 0);
    const QRect lastRect = list->visualRect(last);
    EXPECT_TRUE(list->viewport()->rect().contains(lastRect)) << "the last line is not in view";
    const QModelIndex bottom = list->indexAt(lastRect.center());
    ASSERT_TRUE(bottom.isValid());
    EXPECT_EQ(bottom.row(), 50000);
    EXPECT_EQ(bottom.data().toString(), QStringLiteral("    50000. Сообщение 50000"));
    // Every line has the height of one line of text, the last as well as the first.
    list->scrollToTop();
    QCoreApplication::processEvents();
    EXPECT_EQ(lastRect.height(), list->visualRect(list->model()->index(0, 0)).height());
    EXPECT_LE(lastRect.height(), 3 * list->fontMetrics().height());
    EXPECT_GE(lastRect.height(), list->fontMetrics().height());

    // A second pass with fewer lines replaces them all: nothing of the first stays behind.
    tab->showLines({u"Сообщений нет!"});
    QCoreApplication::processEvents();
    EXPECT_EQ(shownLines(list), QStringList {QStringLiteral("Сообщений нет!")});
    EXPECT_EQ(list->indexAt(QPoint(4, 4)).row(), 0);
}

} // namespace
