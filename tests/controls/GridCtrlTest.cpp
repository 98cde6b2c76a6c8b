// The editable grid driven offscreen: the double-click rule, the in-place editor and the end of
// an edit, selection notifications, header clicks and resizes, row records and row colours.
#include "ControlScreenshots.h"

#include "ui/controls/CGridCtrl.h"
#include "ui/controls/CGridCtrlEditCell.h"
#include "resources/ResourceModule.h"

#include <QContextMenuEvent>
#include <QDateTime>
#include <QDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QLocale>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <iterator>
#include <memory>
#include <new>
#include <utility>
#include <vector>

using namespace controls;

namespace {

using Cell = std::pair<int, int>;

struct RecordingGridListener : GridListener {
    int beginEditAnswer = 1;
    int cellChangedAnswer = 1;
    int sortAnswer = 0;
    int beginResizeAnswer = 0;
    int endResizeAnswer = 0;
    int columnDraggedAnswer = 0;
    int dblClickAnswer = 0;

    std::vector<Cell> beginEdits, cellChanges, selChanges, endResizes, drags;
    std::vector<QString> textsOnChange;
    std::vector<QPoint> contextMenus;
    std::vector<std::pair<int, bool>> sortQueries;
    std::vector<int> beginResizes;
    std::vector<GridActivation> dblClicks;
    std::vector<GridNotifyHeader> headers;

    int onCellChanged(const GridNotifyHeader& h, int row, int column) override
    {
        headers.push_back(h);
        cellChanges.emplace_back(row, column);
        textsOnChange.push_back(h.sender->cellText(row, column));
        return cellChangedAnswer;
    }
    int onBeginEdit(const GridNotifyHeader& h, int row, int column) override
    {
        headers.push_back(h);
        beginEdits.emplace_back(row, column);
        return beginEditAnswer;
    }
    void onSelChanged(const GridNotifyHeader& h, int row, int subItem) override
    {
        headers.push_back(h);
        selChanges.emplace_back(row, subItem);
    }
    void onContextMenu(const GridNotifyHeader&, QPoint p) override { contextMenus.push_back(p); }
    int onSortQuery(const GridNotifyHeader&, int column, bool ascending) override
    {
        sortQueries.emplace_back(column, ascending);
        return sortAnswer;
    }
    int onColumnDragged(const GridNotifyHeader&, int column, int position) override
    {
        drags.emplace_back(column, position);
        return columnDraggedAnswer;
    }
    int onBeginResize(const GridNotifyHeader&, int column) override
    {
        beginResizes.push_back(column);
        return beginResizeAnswer;
    }
    int onEndResize(const GridNotifyHeader&, int column, int width) override
    {
        endResizes.emplace_back(column, width);
        return endResizeAnswer;
    }
    int onDblClick(const GridNotifyHeader&, const GridActivation& a) override
    {
        dblClicks.push_back(a);
        return dblClickAnswer;
    }
};

class GridTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dialog = std::make_unique<QDialog>();
        dialog->resize(440, 260);
        grid = new CGridCtrl(dialog.get(), 1001);
        grid->setGeometry(0, 0, 440, 260);
        grid->setListener(&listener);
        grid->insertColumnTitled(0, QStringLiteral("Компонент"), 120);
        grid->insertColumnTitled(1, QStringLiteral("Площадь"), 100, Qt::AlignRight);
        grid->insertColumnTitled(2, QStringLiteral("Номер"), 120, Qt::AlignHCenter);
        for (int i = 0; i < 30; ++i) {
            const int r = grid->appendRow();
            grid->setCellText(r, 0, QStringLiteral("Peak %1").arg(i));
            grid->setCellFormatted(r, 1, u"%.3f", i * 1.5);
            grid->setCellInt(r, 2, i);
            grid->rowData(r)->userData = 100 + i;
        }
        dialog->show();
        dialog->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
        grid->setFocus();
    }

    QPoint cellCentre(int row, int column) const { return grid->visualRect(grid->model()->index(row, column)).center(); }
    QWidget* viewport() const { return grid->viewport(); }

    CGridCtrlEditCell* openEditor(int row, int column)
    {
        CGridCtrlEditCell* edit = grid->beginEdit(row, column);
        if (edit)
            QCoreApplication::processEvents();
        return edit;
    }

    RecordingGridListener listener;
    std::unique_ptr<QDialog> dialog;
    CGridCtrl* grid = nullptr;
};

} // namespace

TEST_F(GridTest, DoubleClickFirstFocusesTheRowThenEditsTheClickedCell)
{
    grid->setCurrentCell(0, 0);
    // A double click arriving on a row that is not the focused one (no click before it).
    QTest::mouseDClick(viewport(), Qt::LeftButton, {}, cellCentre(3, 1));
    QTest::mouseRelease(viewport(), Qt::LeftButton, {}, cellCentre(3, 1));
    EXPECT_EQ(grid->currentRow(), 3);
    EXPECT_TRUE(grid->selectionModel()->isRowSelected(3, {}));
    EXPECT_EQ(grid->editor(), nullptr);
    EXPECT_TRUE(listener.beginEdits.empty());
    ASSERT_EQ(listener.dblClicks.size(), 1u);
    EXPECT_EQ(listener.dblClicks[0].row, 3);
    EXPECT_EQ(listener.dblClicks[0].subItem, 1);

    // A real double click: the first click focuses the row, the double click edits the cell.
    QTest::mouseClick(viewport(), Qt::LeftButton, {}, cellCentre(3, 1));
    QTest::mouseDClick(viewport(), Qt::LeftButton, {}, cellCentre(3, 1));
    QTest::mouseRelease(viewport(), Qt::LeftButton, {}, cellCentre(3, 1));
    CGridCtrlEditCell* edit = grid->editor();
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(listener.beginEdits, (std::vector<Cell>{{3, 1}}));
    EXPECT_EQ(edit->row, 3);
    EXPECT_EQ(edit->column, 1);
    EXPECT_EQ(edit->initialText, QStringLiteral("4.500"));
    EXPECT_EQ(edit->text(), QStringLiteral("4.500"));
    EXPECT_FALSE(edit->cancelled);
    EXPECT_EQ(edit->selectedText(), edit->text());
    EXPECT_TRUE(edit->alignment() & Qt::AlignRight);   // the column is right-aligned
    const QRect cell = grid->visualRect(grid->model()->index(3, 1));
    EXPECT_EQ(edit->geometry(), cell.adjusted(0, -2, 0, 2));
    EXPECT_EQ(edit->objectName(), QStringLiteral("gridEditCell9801"));
    saveControlScreenshot(dialog.get(), QStringLiteral("grid_editing"));
}

TEST_F(GridTest, AnOwnerHandlingTheDoubleClickOrRefusingTheEditStopsIt)
{
    listener.dblClickAnswer = 1;
    QTest::mouseClick(viewport(), Qt::LeftButton, {}, cellCentre(2, 0));
    QTest::mouseDClick(viewport(), Qt::LeftButton, {}, cellCentre(2, 0));
    QTest::mouseRelease(viewport(), Qt::LeftButton, {}, cellCentre(2, 0));
    EXPECT_EQ(grid->editor(), nullptr);
    EXPECT_TRUE(listener.beginEdits.empty());

    listener.beginEditAnswer = 0;
    EXPECT_EQ(grid->beginEdit(2, 0), nullptr);
    EXPECT_EQ(listener.beginEdits, (std::vector<Cell>{{2, 0}}));
    EXPECT_EQ(grid->beginEdit(-1, 0), nullptr);
    EXPECT_EQ(grid->beginEdit(2, 7), nullptr);
    EXPECT_EQ(listener.beginEdits.size(), 1u);
}

TEST_F(GridTest, EscapeKeepsTheOldTextAndTheDialogOpen)
{
    CGridCtrlEditCell* edit = openEditor(2, 0);
    ASSERT_NE(edit, nullptr);
    QTest::keyClicks(edit, "Changed");
    QTest::keyClick(edit, Qt::Key_Escape);
    QCoreApplication::processEvents();
    EXPECT_EQ(grid->cellText(2, 0), QStringLiteral("Peak 2"));
    EXPECT_TRUE(listener.cellChanges.empty());
    EXPECT_EQ(grid->editor(), nullptr);
    EXPECT_TRUE(dialog->isVisible());   // Escape did not reach the dialog
    EXPECT_TRUE(grid->hasFocus());
}

TEST_F(GridTest, TheSameTextAgainSendsNothing)
{
    CGridCtrlEditCell* edit = openEditor(2, 0);
    ASSERT_NE(edit, nullptr);
    QTest::keyClicks(edit, "Peak 2");   // replaces the selected text with the same text
    QTest::keyClick(edit, Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(grid->cellText(2, 0), QStringLiteral("Peak 2"));
    EXPECT_TRUE(listener.cellChanges.empty());
    EXPECT_EQ(grid->editor(), nullptr);
    EXPECT_TRUE(dialog->isVisible());
}

TEST_F(GridTest, TheOwnerKeepsOrRefusesTheNewText)
{
    listener.cellChangedAnswer = 0;
    CGridCtrlEditCell* edit = openEditor(4, 1);
    ASSERT_NE(edit, nullptr);
    QTest::keyClicks(edit, "12.5");
    QTest::keyClick(edit, Qt::Key_Enter);
    EXPECT_EQ(listener.cellChanges, (std::vector<Cell>{{4, 1}}));
    EXPECT_EQ(listener.textsOnChange, (std::vector<QString>{QStringLiteral("12.5")}));   // shown for an instant
    EXPECT_EQ(grid->cellText(4, 1), QStringLiteral("6.000"));
    ASSERT_FALSE(listener.headers.empty());
    EXPECT_EQ(listener.headers.back().code, GN_CELLCHANGED);
    EXPECT_EQ(listener.headers.back().senderId, 1001);
    EXPECT_EQ(listener.headers.back().sender, grid);

    listener.cellChangedAnswer = 1;
    edit = openEditor(4, 1);
    ASSERT_NE(edit, nullptr);
    QTest::keyClicks(edit, "12.5");
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(grid->cellText(4, 1), QStringLiteral("12.5"));
    EXPECT_EQ(listener.cellChanges.size(), 2u);
}

TEST_F(GridTest, ScrollingOrClickingElsewhereCommitsTheEdit)
{
    CGridCtrlEditCell* edit = openEditor(1, 0);
    ASSERT_NE(edit, nullptr);
    QTest::keyClicks(edit, "Scrolled");
    grid->verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QCoreApplication::processEvents();
    EXPECT_EQ(grid->cellText(1, 0), QStringLiteral("Scrolled"));
    EXPECT_EQ(listener.cellChanges, (std::vector<Cell>{{1, 0}}));
    EXPECT_EQ(grid->editor(), nullptr);
    EXPECT_GT(grid->verticalScrollBar()->value(), 0);

    grid->scrollToTop();
    edit = openEditor(2, 0);
    ASSERT_NE(edit, nullptr);
    QTest::keyClicks(edit, "Clicked");
    QTest::mouseClick(viewport(), Qt::LeftButton, {}, cellCentre(5, 2));
    QCoreApplication::processEvents();
    EXPECT_EQ(grid->cellText(2, 0), QStringLiteral("Clicked"));
    EXPECT_EQ(grid->editor(), nullptr);
}

TEST_F(GridTest, AnyScrollMovesTheFocusToTheGridFirst)
{
    auto* other = new QLineEdit(dialog.get());
    other->setGeometry(0, 262, 100, 20);
    other->show();
    struct Scroll {
        const char* what;
        std::function<void()> scroll;
    };
    const Scroll scrolls[] = {
        {"scroll bar step", [&] { grid->verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd); }},
        {"horizontal page", [&] { grid->horizontalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd); }},
        {"wheel", [&] {
             const QPoint at = viewport()->rect().center();
             QWheelEvent wheel(at, viewport()->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                               Qt::NoModifier, Qt::NoScrollPhase, false);
             QCoreApplication::sendEvent(viewport(), &wheel);
         }},
    };
    grid->resize(200, 260);  // wider columns than the view: both bars show
    for (const Scroll& s : scrolls) {
        other->setFocus();
        QCoreApplication::processEvents();
        ASSERT_TRUE(other->hasFocus()) << s.what;
        s.scroll();
        QCoreApplication::processEvents();
        EXPECT_TRUE(grid->hasFocus()) << s.what;
    }
    EXPECT_GT(grid->verticalScrollBar()->value(), 0);
    EXPECT_GT(grid->horizontalScrollBar()->value(), 0);
}

TEST_F(GridTest, EnsureVisibleScrollsJustFarEnoughToShowTheCell)
{
    // A view narrower than the columns and a last row that shows only in part.
    const int rowHeight = grid->rowHeight(0);
    for (int height = 200; height < 200 + rowHeight; ++height) {
        grid->resize(200, height);
        QCoreApplication::processEvents();
        const int rest = viewport()->height() % rowHeight;
        if (rest > 2 && rest < rowHeight - 2)
            break;
    }
    const int wholeRows = viewport()->height() / rowHeight;
    const int viewWidth = viewport()->width();
    ASSERT_LT(viewWidth, 220) << "the third column must start beyond the view";
    ASSERT_GT(viewWidth, 120) << "the second column must show in part";
    QScrollBar* vertical = grid->verticalScrollBar();
    QScrollBar* horizontal = grid->horizontalScrollBar();
    // The third column's cell (its grid line not counted) ends this far right of the view's start.
    const int thirdEnd = grid->columnViewportPosition(2) + grid->visualRect(grid->model()->index(0, 2)).width();
    ASSERT_EQ(horizontal->value(), 0);

    struct Case {
        int row, column;
        int startTop, startLeft;  // scroll positions before
        int top, left;            // and after
    };
    const Case cases[] = {
        {1, 0, 0, 0, 0, 0},                                    // in view: nothing moves
        {wholeRows, 1, 0, 0, 0, 0},                            // partly shown row and column suffice
        {20, 0, 0, 0, 20 - wholeRows + 1, 0},                  // below: comes in as the last whole row
        {3, 0, 10, 0, 3, 0},                                   // above: comes in as the first row
        {5, 2, 0, 0, 0, thirdEnd - viewWidth},                 // right: its right edge at the view's
        {5, 0, 0, thirdEnd - viewWidth, 0, 0},                 // left: its left edge at the view's
    };
    for (const Case& c : cases) {
        vertical->setValue(c.startTop);
        horizontal->setValue(c.startLeft);
        ASSERT_EQ(horizontal->value(), c.startLeft);
        EXPECT_TRUE(grid->ensureCellVisible(c.row, c.column));
        EXPECT_EQ(vertical->value(), c.top) << "row " << c.row;
        EXPECT_EQ(horizontal->value(), c.left) << "column " << c.column;
        EXPECT_TRUE(viewport()->rect().intersects(grid->visualRect(grid->model()->index(c.row, c.column))));
    }
    EXPECT_FALSE(grid->ensureCellVisible(30, 0));
    EXPECT_FALSE(grid->ensureCellVisible(0, 3));

    // Opening an editor on the partly shown row leaves the view where it is.
    vertical->setValue(0);
    ASSERT_NE(openEditor(wholeRows, 0), nullptr);
    EXPECT_EQ(vertical->value(), 0);
}

TEST_F(GridTest, SelectionNotifiesEachNewlySelectedRowOnce)
{
    QTest::mouseClick(viewport(), Qt::LeftButton, {}, cellCentre(2, 0));
    EXPECT_EQ(listener.selChanges, (std::vector<Cell>{{2, 0}}));
    listener.selChanges.clear();

    QTest::mouseClick(viewport(), Qt::LeftButton, Qt::ShiftModifier, cellCentre(5, 1));
    EXPECT_EQ(listener.selChanges, (std::vector<Cell>{{3, 0}, {4, 0}, {5, 0}}));
    listener.selChanges.clear();

    QTest::keyClick(grid, Qt::Key_Down);
    EXPECT_EQ(listener.selChanges, (std::vector<Cell>{{6, 0}}));
    ASSERT_FALSE(listener.headers.empty());
    EXPECT_EQ(listener.headers.back().code, GN_SELCHANGED);

    // Clearing the selection removes the selected and the focused state and notifies nothing.
    listener.selChanges.clear();
    grid->clearSelection();
    EXPECT_TRUE(grid->selectionModel()->selectedRows().isEmpty());
    EXPECT_FALSE(grid->selectionModel()->currentIndex().isValid());
    EXPECT_TRUE(listener.selChanges.empty());
}

TEST_F(GridTest, ContextMenuPointFromMouseOrKeyboard)
{
    const QPoint global = viewport()->mapToGlobal(QPoint(30, 40));
    QContextMenuEvent byMouse(QContextMenuEvent::Mouse, QPoint(30, 40), global);
    QCoreApplication::sendEvent(viewport(), &byMouse);
    QContextMenuEvent byKeyboard(QContextMenuEvent::Keyboard, QPoint(0, 0), grid->mapToGlobal(QPoint(0, 0)));
    QCoreApplication::sendEvent(viewport(), &byKeyboard);
    ASSERT_EQ(listener.contextMenus.size(), 2u);
    EXPECT_EQ(listener.contextMenus[0], global);
    EXPECT_EQ(listener.contextMenus[1], grid->mapToGlobal(grid->contentsRect().topLeft() + QPoint(5, 5)));
}

TEST_F(GridTest, HeaderClicksAskForSortingAndSortOnlyWhenAnswered)
{
    QHeaderView* header = grid->horizontalHeader();
    auto clickHeader = [&](int column) {
        const int x = header->sectionViewportPosition(column) + header->sectionSize(column) / 2;
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, header->height() / 2));
    };
    clickHeader(2);
    clickHeader(2);
    EXPECT_EQ(listener.sortQueries, (std::vector<std::pair<int, bool>>{{2, true}, {2, false}}));
    EXPECT_EQ(grid->sortColumn(), 2);
    EXPECT_FALSE(grid->sortAscending());
    EXPECT_EQ(grid->sortKind(), 0);
    EXPECT_EQ(grid->cellText(0, 2), QStringLiteral("0"));   // no answer: no sorting

    grid->selectRow(10);   // the row "10" keeps its selection wherever it goes
    listener.selChanges.clear();
    listener.sortAnswer = SortText;
    clickHeader(2);   // ascending again, as text: 0, 1, 10, 11, ...
    EXPECT_EQ(grid->sortKind(), SortText);
    EXPECT_EQ(grid->cellText(2, 2), QStringLiteral("10"));
    EXPECT_EQ(grid->rowData(2)->userData, 110);
    EXPECT_EQ(grid->cellText(2, 0), QStringLiteral("Peak 10"));
    EXPECT_TRUE(grid->selectionModel()->isRowSelected(2, {}));
    EXPECT_EQ(grid->selectionModel()->selectedRows().size(), 1);
    EXPECT_TRUE(listener.selChanges.empty());
    EXPECT_EQ(header->sortIndicatorSection(), 2);
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::AscendingOrder);

    listener.sortAnswer = SortNumeric;
    clickHeader(1);   // a new column: ascending, by value
    clickHeader(1);   // descending
    EXPECT_EQ(grid->cellText(0, 1), QStringLiteral("43.500"));
    EXPECT_EQ(grid->cellText(29, 1), QStringLiteral("0.000"));
    EXPECT_EQ(grid->rowData(0)->userData, 129);
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::DescendingOrder);

    listener.sortQueries.clear();
    grid->setNoSortHeader(true);
    clickHeader(0);
    EXPECT_TRUE(listener.sortQueries.empty());
    EXPECT_TRUE(grid->sortAscending());   // the direction is still worked out
}

TEST_F(GridTest, DatesSortByTimeInTheUsersLocale)
{
    // Written as the user's locale writes them, the dates' text order is not their time order.
    const QLocale locale;
    const QDateTime times[] = {QDateTime(QDate(2024, 1, 5), QTime(9, 30)), QDateTime(QDate(2023, 12, 10), QTime(17, 5)),
                               QDateTime(QDate(2024, 1, 5), QTime(8, 0)), QDateTime(QDate(2022, 6, 30), QTime(23, 59))};
    grid->deleteAllRows();
    for (int i = 0; i < 4; ++i) {
        const int r = grid->appendRow();
        grid->setCellText(r, 0, locale.toString(times[i], QLocale::ShortFormat));
        grid->rowData(r)->userData = i;
    }
    listener.sortAnswer = SortDate;
    QHeaderView* header = grid->horizontalHeader();
    const QPoint title(header->sectionViewportPosition(0) + 10, header->height() / 2);
    auto order = [&] {
        std::vector<int> rows;
        for (int r = 0; r < grid->rowCount(); ++r)
            rows.push_back(grid->rowData(r)->userData);
        return rows;
    };
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, title);
    EXPECT_EQ(order(), (std::vector<int>{3, 1, 2, 0})) << grid->cellText(0, 0).toStdString();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, title);
    EXPECT_EQ(order(), (std::vector<int>{0, 2, 1, 3}));

    // A text that is no date compares equal to everything: the sort neither fails nor loses it.
    grid->setCellText(1, 0, QStringLiteral("не дата"));
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, title);
    std::vector<int> all = order();
    std::sort(all.begin(), all.end());
    EXPECT_EQ(all, (std::vector<int>{0, 1, 2, 3}));
}

TEST_F(GridTest, ResizesAreAskedAndAColumnOfWidthZeroStaysHidden)
{
    QHeaderView* header = grid->horizontalHeader();
    QWidget* hv = header->viewport();
    const int y = header->height() / 2;
    auto drag = [&](int fromX, int toX) {
        QTest::mousePress(hv, Qt::LeftButton, {}, QPoint(fromX, y));
        QTest::mouseMove(hv, QPoint((fromX + toX) / 2, y));
        QTest::mouseMove(hv, QPoint(toX, y));
        QTest::mouseRelease(hv, Qt::LeftButton, {}, QPoint(toX, y));
    };

    drag(119, 169);   // the divider after column 0
    EXPECT_EQ(listener.beginResizes, (std::vector<int>{0}));
    EXPECT_EQ(listener.endResizes, (std::vector<Cell>{{0, 170}}));
    EXPECT_EQ(grid->columnWidth(0), 170);

    listener.endResizeAnswer = 1;
    drag(169, 199);
    EXPECT_EQ(grid->columnWidth(0), 170);   // the owner cancelled the new width

    listener.endResizeAnswer = 0;
    listener.beginResizeAnswer = 1;
    listener.endResizes.clear();
    drag(169, 199);
    EXPECT_EQ(grid->columnWidth(0), 170);   // the owner prevented the resize
    EXPECT_TRUE(listener.endResizes.empty());

    listener.beginResizeAnswer = 0;
    listener.beginResizes.clear();
    grid->setColumnWidth(1, 0);
    const int divider = header->sectionViewportPosition(2);
    for (int x : {divider, divider + 1, divider + 2}) {
        drag(x, x + 60);
        EXPECT_EQ(grid->columnWidth(1), 0) << x;
    }
    for (int column : listener.beginResizes)
        EXPECT_NE(column, 1);
    QTest::mouseDClick(hv, Qt::LeftButton, {}, QPoint(divider + 1, y));
    QTest::mouseRelease(hv, Qt::LeftButton, {}, QPoint(divider + 1, y));
    EXPECT_EQ(grid->columnWidth(1), 0);
}

TEST_F(GridTest, ColumnDragIsReportedAndCanBeCancelled)
{
    QHeaderView* header = grid->horizontalHeader();
    header->setSectionsMovable(true);
    QWidget* hv = header->viewport();
    const int y = header->height() / 2;
    auto drag = [&](int fromX, int toX) {
        QTest::mousePress(hv, Qt::LeftButton, {}, QPoint(fromX, y));
        for (int x = fromX; x != toX; x += (toX > fromX ? 10 : -10))
            QTest::mouseMove(hv, QPoint(x, y));
        QTest::mouseMove(hv, QPoint(toX, y));
        QTest::mouseRelease(hv, Qt::LeftButton, {}, QPoint(toX, y));
    };
    listener.columnDraggedAnswer = 1;
    drag(60, 300);
    ASSERT_EQ(listener.drags.size(), 1u);
    EXPECT_EQ(listener.drags[0].first, 0);
    EXPECT_EQ(listener.drags[0].second, header->count() - 1);
    EXPECT_EQ(header->visualIndex(0), 0);   // cancelled

    listener.columnDraggedAnswer = 0;
    drag(60, 300);
    EXPECT_EQ(listener.drags.size(), 2u);
    EXPECT_EQ(header->visualIndex(0), 2);
}

TEST_F(GridTest, RowRecordsFollowTheirRowsAndGoWithThem)
{
    GridRowData* fresh = grid->rowData(grid->appendRow());
    ASSERT_NE(fresh, nullptr);
    EXPECT_EQ(fresh->textColor, kSystemColor);
    EXPECT_EQ(fresh->backColor, kSystemColor);
    EXPECT_EQ(fresh->userData, 0);

    EXPECT_EQ(grid->insertRowAt(1), 1);
    EXPECT_EQ(grid->rowData(1)->userData, 0);
    EXPECT_EQ(grid->rowData(2)->userData, 101);
    grid->model()->removeRows(1, 1);   // rows removed through the model take their records with them
    EXPECT_EQ(grid->rowData(1)->userData, 101);
    EXPECT_EQ(grid->insertRowAt(99), -1);

    // An edit open while all rows go is dropped, not written into a later row.
    CGridCtrlEditCell* edit = openEditor(1, 0);
    ASSERT_NE(edit, nullptr);
    QTest::keyClicks(edit, "zzz");
    grid->deleteAllRows();
    QCoreApplication::processEvents();
    EXPECT_EQ(grid->rowCount(), 0);
    EXPECT_EQ(grid->rowData(0), nullptr);
    EXPECT_EQ(grid->editor(), nullptr);
    EXPECT_TRUE(listener.cellChanges.empty());
    for (int i = 0; i < 3; ++i)
        grid->appendRow();
    QCoreApplication::processEvents();
    for (int r = 0; r < 3; ++r) {
        EXPECT_EQ(grid->cellText(r, 0), QString());
        EXPECT_EQ(grid->rowData(r)->userData, 0);
    }
    // The rest is freed with the grid (the address sanitizer reports a leak or a double free).
}

TEST_F(GridTest, RowsAppendedInOneStepGetRecordsTextsAndClicks)
{
    grid->rowData(29)->userData = 7;
    grid->appendRows({{QStringLiteral("Метанол"), QStringLiteral("1.500"), QStringLiteral("3"), QStringLiteral("no column")},
                      {QStringLiteral("Этанол")}});
    ASSERT_EQ(grid->rowCount(), 32);
    EXPECT_EQ(grid->rowData(29)->userData, 7);
    for (int r : {30, 31}) {
        ASSERT_NE(grid->rowData(r), nullptr);
        EXPECT_EQ(grid->rowData(r)->userData, 0);
        EXPECT_EQ(grid->rowData(r)->textColor, kSystemColor);
    }
    EXPECT_EQ(grid->cellText(30, 0), QStringLiteral("Метанол"));
    EXPECT_EQ(grid->cellText(30, 2), QStringLiteral("3"));
    EXPECT_EQ(grid->cellText(31, 0), QStringLiteral("Этанол"));
    EXPECT_EQ(grid->cellText(31, 1), QString());
    grid->appendRows({});
    EXPECT_EQ(grid->rowCount(), 32);

    // The view knows the new rows: the last one scrolls into view and answers a click.
    dialog->show();
    grid->scrollToBottom();
    QCoreApplication::processEvents();
    const QRect last = grid->visualRect(grid->model()->index(31, 0));
    ASSERT_TRUE(grid->viewport()->rect().contains(last.center()));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, last.center());
    ASSERT_EQ(listener.selChanges.size(), 1u);
    EXPECT_EQ(listener.selChanges.front().first, 31);
    EXPECT_EQ(grid->cellText(31, 0), QStringLiteral("Этанол"));
}

TEST_F(GridTest, RowsShowTheirColoursAndSelectedRowsTheHighlight)
{
    ASSERT_EQ(QLocale().decimalPoint(), QStringLiteral(","));   // the tests run with a decimal comma
    EXPECT_EQ(grid->cellText(3, 1), QStringLiteral("4.500"));

    grid->rowData(1)->backColor = rgbColor(255, 220, 220);
    grid->rowData(1)->textColor = rgbColor(200, 0, 0);
    grid->rowData(2)->backColor = rgbColor(220, 255, 220);
    grid->rowData(3)->textColor = rgbColor(0, 0, 220);
    grid->rowData(4)->backColor = rgbColor(255, 255, 180);
    grid->rowData(5)->backColor = rgbColor(255, 220, 220);
    grid->selectRow(5);
    grid->viewport()->update();
    const QString path = saveControlScreenshot(dialog.get(), QStringLiteral("grid_coloured_rows"));
    EXPECT_FALSE(path.isEmpty());

    const QImage image = grid->viewport()->grab().toImage();
    auto pixelAt = [&](int row) {
        const QRect cell = grid->visualRect(grid->model()->index(row, 1));
        return image.pixelColor(cell.left() + 4, cell.center().y());   // left of the right-aligned text
    };
    EXPECT_EQ(pixelAt(1), QColor(255, 220, 220));
    EXPECT_EQ(pixelAt(2), QColor(220, 255, 220));
    EXPECT_EQ(pixelAt(5), grid->palette().color(QPalette::Active, QPalette::Highlight));
    EXPECT_NE(pixelAt(5), QColor(255, 220, 220));
}

TEST_F(GridTest, ColumnTitlesFromTheStringResources)
{
    const int column = grid->insertColumnFromResource(1, 109, 80);
    EXPECT_EQ(column, 1);
    EXPECT_EQ(grid->columnTitle(1),
              QString::fromStdU16String(resources::resourceModule().loadString(109)));
    EXPECT_EQ(grid->columnTitle(1), QStringLiteral("Компоненты"));
    EXPECT_EQ(grid->columnAlignment(1), Qt::AlignLeft);
    EXPECT_EQ(grid->columnWidth(1), 80);
    EXPECT_EQ(grid->columnAlignment(2), Qt::AlignRight);
}

TEST_F(GridTest, SortingMovesTheFocusWithItsRowAndARefillDropsSelectionButKeepsColumns)
{
    QHeaderView* header = grid->horizontalHeader();
    grid->setCurrentCell(5, 1);
    ASSERT_EQ(grid->currentRow(), 5);
    listener.selChanges.clear();
    listener.sortAnswer = SortText;
    const int x = header->sectionViewportPosition(2) + header->sectionSize(2) / 2;
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, header->height() / 2));
    // As text: 0, 1, 10 .. 19, 2, 20 .. 29, 3, 4, 5, ...: the row "5" is now row 25.
    ASSERT_EQ(grid->cellText(25, 2), QStringLiteral("5"));
    EXPECT_EQ(grid->currentRow(), 25);
    EXPECT_EQ(grid->currentIndex().column(), 1);
    EXPECT_TRUE(grid->selectionModel()->isRowSelected(25, {}));
    EXPECT_EQ(grid->selectionModel()->selectedRows().size(), 1);
    EXPECT_EQ(grid->rowData(25)->userData, 105);
    EXPECT_TRUE(listener.selChanges.empty()) << "a sort selects nothing new";

    // A refill in one step: the old rows go with their selection and focus, the new ones come
    // unselected, and the columns keep their titles, widths and alignments.
    const std::vector<int> widthsBefore = {grid->columnWidth(0), grid->columnWidth(1), grid->columnWidth(2)};
    grid->deleteAllRows();
    grid->appendRows({{QStringLiteral("Метанол"), QStringLiteral("1.500"), QStringLiteral("1")},
                      {QStringLiteral("Этанол"), QStringLiteral("2.500"), QStringLiteral("2")}});
    QCoreApplication::processEvents();
    EXPECT_EQ(grid->rowCount(), 2);
    EXPECT_FALSE(grid->selectionModel()->hasSelection());
    EXPECT_EQ(grid->currentRow(), -1);
    EXPECT_TRUE(listener.selChanges.empty());
    EXPECT_EQ((std::vector<int>{grid->columnWidth(0), grid->columnWidth(1), grid->columnWidth(2)}), widthsBefore);
    EXPECT_EQ(grid->columnTitle(1), QStringLiteral("Площадь"));
    EXPECT_EQ(grid->model()->headerData(1, Qt::Horizontal, Qt::TextAlignmentRole).value<Qt::Alignment>(),
              Qt::AlignRight | Qt::AlignVCenter);
    EXPECT_EQ(grid->columnAlignment(2), Qt::AlignHCenter);
    EXPECT_EQ(grid->rowData(1)->userData, 0);
    EXPECT_EQ(grid->cellText(1, 0), QStringLiteral("Этанол"));
    // A click on a new row is a new selection, announced once.
    QTest::mouseClick(viewport(), Qt::LeftButton, {}, cellCentre(1, 0));
    ASSERT_EQ(listener.selChanges.size(), 1u);
    EXPECT_EQ(listener.selChanges[0].first, 1);
}

namespace {

// Rows "Peak <n>" with their number in the last column, counting how often each row is written;
// a row listed in failingRows runs out of memory while it is written.
class CountingRows : public GridRowSource {
public:
    CountingRows(int count, int firstNumber) : count_(count), firstNumber_(firstNumber), writes_(count, 0) {}

    int rowCount() const override { return count_; }
    void writeTexts(int row, std::vector<QString>& cells) const override
    {
        ++writes_[static_cast<std::size_t>(row)];
        if (std::find(failingRows.begin(), failingRows.end(), row) != failingRows.end())
            throw std::bad_alloc();
        const int number = firstNumber_ + row;
        const QString texts[] = {QStringLiteral("Peak %1").arg(number), QString::number(number * 0.5, 'f', 1),
                                 QString::number(number), QStringLiteral("beyond the last column")};
        for (std::size_t c = 0; c < cells.size() && c < std::size(texts); ++c)
            cells[c] = texts[c];
    }

    int rowsWritten() const
    {
        return static_cast<int>(std::count_if(writes_.begin(), writes_.end(), [](int n) { return n > 0; }));
    }
    int writesOf(int row) const { return writes_[static_cast<std::size_t>(row)]; }

    std::vector<int> failingRows;

private:
    int count_;
    int firstNumber_;
    mutable std::vector<int> writes_;
};

} // namespace

TEST_F(GridTest, RowsFromASourceAreWrittenWhenNeededAndOtherwiseBehaveAsHeldRows)
{
    grid->setCurrentCell(5, 1);
    grid->scrollToBottom();
    QCoreApplication::processEvents();
    ASSERT_GT(grid->verticalScrollBar()->value(), 0);
    const std::vector<int> widthsBefore = {grid->columnWidth(0), grid->columnWidth(1), grid->columnWidth(2)};
    listener.selChanges.clear();

    auto owned = std::make_unique<CountingRows>(1000, 1);
    const CountingRows* rows = owned.get();  // the grid owns it from here on
    grid->replaceRows(std::move(owned));
    QCoreApplication::processEvents();
    ASSERT_EQ(grid->rowCount(), 1000);
    // As after emptying and refilling: nothing selected or focused, the list at its top, the
    // columns as they were, every row with a fresh record.
    EXPECT_FALSE(grid->selectionModel()->hasSelection());
    EXPECT_EQ(grid->currentRow(), -1);
    EXPECT_EQ(grid->verticalScrollBar()->value(), 0);
    EXPECT_EQ((std::vector<int>{grid->columnWidth(0), grid->columnWidth(1), grid->columnWidth(2)}), widthsBefore);
    EXPECT_EQ(grid->rowData(999)->userData, 0);
    EXPECT_TRUE(listener.selChanges.empty());

    // Painting writes the rows in view and no others.
    grid->viewport()->grab();
    const int visible = grid->rowAt(grid->viewport()->height() - 1) + 1;
    EXPECT_GT(rows->rowsWritten(), 0);
    EXPECT_LE(rows->rowsWritten(), visible + 1);
    EXPECT_EQ(grid->model()->index(0, 0).data().toString(), QStringLiteral("Peak 1"));

    // Reading a row writes it once; the texts are the source's, cut to the grid's columns.
    EXPECT_EQ(grid->cellText(999, 0), QStringLiteral("Peak 1000"));
    EXPECT_EQ(grid->cellText(999, 1), QStringLiteral("500.0"));
    EXPECT_EQ(grid->cellText(999, 2), QStringLiteral("1000"));
    EXPECT_EQ(grid->cellText(999, 3), QString());
    EXPECT_EQ(rows->writesOf(999), 1);

    // A text changed in a row not yet written leaves its other texts as the source gives them.
    grid->setCellText(500, 1, QStringLiteral("changed"));
    EXPECT_EQ(grid->cellText(500, 0), QStringLiteral("Peak 501"));
    EXPECT_EQ(grid->cellText(500, 1), QStringLiteral("changed"));
    EXPECT_EQ(rows->writesOf(500), 1);

    // Appended rows follow; sorting reads every row and moves the records with their rows.
    auto ownedMore = std::make_unique<CountingRows>(5, 2000);
    const CountingRows* more = ownedMore.get();
    grid->appendRowsFrom(std::move(ownedMore));
    ASSERT_EQ(grid->rowCount(), 1005);
    EXPECT_EQ(more->rowsWritten(), 0);
    grid->rowData(1004)->userData = 77;
    listener.sortAnswer = SortNumeric;
    const int x = grid->horizontalHeader()->sectionViewportPosition(2) + grid->horizontalHeader()->sectionSize(2) / 2;
    QTest::mouseClick(grid->horizontalHeader()->viewport(), Qt::LeftButton, {}, QPoint(x, grid->horizontalHeader()->height() / 2));
    ASSERT_EQ(listener.sortQueries.size(), 1u);
    EXPECT_EQ(rows->rowsWritten(), 1000);
    EXPECT_EQ(more->rowsWritten(), 5);
    const bool ascending = grid->cellText(0, 2) == QStringLiteral("1");
    const int lastRow = ascending ? 1004 : 0;
    EXPECT_EQ(grid->cellText(lastRow, 2), QStringLiteral("2004"));
    EXPECT_EQ(grid->rowData(lastRow)->userData, 77);

    // A column inserted before rows are written gets empty cells; the others keep their texts.
    grid->replaceRows(std::make_unique<CountingRows>(3, 1));
    grid->insertColumnTitled(0, QStringLiteral("Первый"), 60);
    EXPECT_EQ(grid->cellText(2, 0), QString());
    EXPECT_EQ(grid->cellText(2, 1), QStringLiteral("Peak 3"));
    EXPECT_EQ(grid->cellText(2, 3), QStringLiteral("3"));
}

TEST_F(GridTest, ARowThatCannotBeWrittenShowsEmptyAndIsWrittenWhenShownAgain)
{
    auto owned = std::make_unique<CountingRows>(40, 1);
    CountingRows* rows = owned.get();  // the grid owns it from here on
    rows->failingRows = {0, 2};
    grid->replaceRows(std::move(owned));
    // Painting asks for the failing rows too: nothing escapes the paint, the cells show empty.
    grid->viewport()->grab();
    EXPECT_FALSE(grid->model()->index(0, 0).data().isValid());
    EXPECT_EQ(grid->model()->index(1, 0).data().toString(), QStringLiteral("Peak 2"));
    const int failedWrites = rows->writesOf(0);
    EXPECT_GE(failedWrites, 1);

    // Memory back: the same rows are written and shown.
    rows->failingRows.clear();
    grid->viewport()->grab();
    EXPECT_EQ(grid->model()->index(0, 0).data().toString(), QStringLiteral("Peak 1"));
    EXPECT_EQ(grid->model()->index(2, 2).data().toString(), QStringLiteral("3"));
    EXPECT_GT(rows->writesOf(0), failedWrites);
    // Once written, a row is not written again.
    const int written = rows->writesOf(1);
    grid->viewport()->grab();
    EXPECT_EQ(rows->writesOf(1), written);
}
