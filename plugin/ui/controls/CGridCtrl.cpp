#include "ui/controls/CGridCtrl.h"

#include "ui/controls/CGridCtrlEditCell.h"
#include "ui/controls/GridHeaderView.h"
#include "ui/controls/GridItemDelegate.h"
#include "ui/controls/GridModel.h"
#include "ui/controls/GridSortCompare.h"
#include "platform/Format.h"
#include "resources/ResourceModule.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSignalBlocker>

#include <algorithm>
#include <iterator>
#include <new>
#include <numeric>
#include <set>

namespace controls {

CGridCtrl::CGridCtrl(QWidget* parent, int controlId) : QTableView(parent), controlId_(controlId)
{
    model_ = new GridModel(this);
    setModel(model_);
    header_ = new GridHeaderView(this);
    setHorizontalHeader(header_);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    setItemDelegate(new GridItemDelegate(this));
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSortingEnabled(false);
    setWordWrap(false);
    setTabKeyNavigation(false);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setExtendedStyle(GridLines | FullRowSelect | InfoTip);

    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this](const QItemSelection& selected, const QItemSelection&) { onSelectionChanged(selected); });
    connect(header_, &QHeaderView::sectionClicked, this, [this](int column) { onHeaderClicked(column); });
    // The analyst scrolling (scroll bar, wheel) moves the focus to the grid first; that ends an
    // open edit and keeps its text. The scroll bars report the action before they move.
    for (QScrollBar* bar : {verticalScrollBar(), horizontalScrollBar()})
        connect(bar, &QAbstractSlider::actionTriggered, this, [this](int) { onScrollBarAction(); });
}

CGridCtrl::~CGridCtrl()
{
    if (editor_)
        editor_->abandon();
}

void CGridCtrl::setExtendedStyle(unsigned style)
{
    extendedStyle_ = style;
    setShowGrid(style & GridLines);
}

GridNotifyHeader CGridCtrl::header(int code)
{
    return GridNotifyHeader{this, controlId_, code};
}

int CGridCtrl::appendRow()
{
    return insertRowAt(rowCount());
}

int CGridCtrl::insertRowAt(int position)
{
    return model_->insertEmptyRow(position) ? position : -1;
}

void CGridCtrl::appendRows(const std::vector<QStringList>& rows)
{
    model_->appendRows(rows);
}

void CGridCtrl::replaceRows(std::unique_ptr<const GridRowSource> source)
{
    if (editor_ && !editor_->finished())
        editor_->cancel();
    model_->replaceRows(std::move(source));
    // Emptied and refilled, the list would show its first rows again.
    verticalScrollBar()->setValue(verticalScrollBar()->minimum());
}

void CGridCtrl::appendRowsFrom(std::unique_ptr<const GridRowSource> source)
{
    model_->appendRowsFrom(std::move(source));
}

void CGridCtrl::deleteAllRows()
{
    // An edit still open would otherwise end later on whatever row then has its index.
    if (editor_ && !editor_->finished())
        editor_->cancel();
    model_->removeAllRows();
}

GridRowData* CGridCtrl::rowData(int row) const
{
    return model_->rowData(row);
}

int CGridCtrl::rowCount() const { return model_->rowCount(); }

int CGridCtrl::columnCount() const { return model_->columnCount(); }

int CGridCtrl::currentRow() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.row() : -1;
}

void CGridCtrl::setCurrentCell(int row, int column)
{
    const QModelIndex index = model_->index(row, column);
    if (index.isValid())
        selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

int CGridCtrl::insertColumnFromResource(int column, int stringId, int width)
{
    const QString title = QString::fromStdU16String(resources::resourceModule().loadString(stringId));
    return insertColumnTitled(column, title, width, Qt::AlignLeft);
}

int CGridCtrl::insertColumnTitled(int column, const QString& title, int width, Qt::Alignment alignment)
{
    column = std::clamp(column, 0, columnCount());
    const Qt::Alignment h = alignment & Qt::AlignHorizontal_Mask;
    Qt::Alignment normal = Qt::AlignHCenter;
    if (h == Qt::AlignLeft || h == 0 || h == Qt::AlignLeading)
        normal = Qt::AlignLeft;
    else if (h == Qt::AlignRight || h == Qt::AlignTrailing)
        normal = Qt::AlignRight;
    model_->insertColumn(column, title, normal);
    setColumnWidth(column, std::max(0, width));
    return column;
}

Qt::Alignment CGridCtrl::columnAlignment(int column) const
{
    return model_->columnAlignment(column);
}

QString CGridCtrl::columnTitle(int column) const
{
    return model_->columnTitle(column);
}

void CGridCtrl::setColumnTitle(int column, const QString& title)
{
    model_->setColumnTitle(column, title);
}

void CGridCtrl::clearSelection()
{
    QItemSelectionModel* sel = selectionModel();
    const QModelIndex current = sel->currentIndex();
    const bool currentSelected = current.isValid() && sel->isRowSelected(current.row(), QModelIndex());
    sel->clearSelection();
    if (currentSelected)
        sel->clearCurrentIndex();
}

QString CGridCtrl::cellText(int row, int column) const
{
    return model_->cellText(row, column);
}

void CGridCtrl::setCellText(int row, int column, const QString& text)
{
    model_->setCellText(row, column, text);
}

void CGridCtrl::setCellInt(int row, int column, int value)
{
    setCellText(row, column, QString::fromStdU16String(platform::format(u"%d", {value})));
}

void CGridCtrl::setCellFormatted(int row, int column, std::u16string_view format, double value)
{
    setCellText(row, column, QString::fromStdU16String(platform::format(format, {value})));
}

CGridCtrlEditCell* CGridCtrl::editor() const
{
    return (editor_ && !editor_->finished()) ? editor_.data() : nullptr;
}

CGridCtrlEditCell* CGridCtrl::beginEdit(int row, int column)
{
    if (row < 0 || column < 0 || row >= rowCount() || column >= columnCount())
        return nullptr;
    const QModelIndex index = model()->index(row, column);
    if (!ensureCellVisible(row, column))
        return nullptr;
    if (!listener_ || listener_->onBeginEdit(header(GN_BEGINEDIT), row, column) == 0)
        return nullptr;
    // Only one edit at a time: an edit still open ends as a click elsewhere would end it.
    commitOpenEdit();
    QRect rect = visualRect(index);
    rect.adjust(0, -2, 0, 2);
    auto* edit = new CGridCtrlEditCell(this, row, column, cellText(row, column), rect, columnAlignment(column));
    editor_ = edit;
    return edit;
}

bool CGridCtrl::ensureCellVisible(int row, int column)
{
    if (row < 0 || column < 0 || row >= rowCount() || column >= columnCount())
        return false;
    const QRect view = viewport()->rect();
    const QRect cell = visualRect(model()->index(row, column));

    QScrollBar* vertical = verticalScrollBar();
    if (cell.bottom() < view.top() || cell.top() > view.bottom()) {
        if (verticalScrollMode() == ScrollPerPixel) {
            const int delta = cell.top() < view.top() ? cell.top() - view.top() : cell.bottom() - view.bottom();
            vertical->setValue(vertical->value() + delta);
        } else if (cell.top() < view.top()) {
            vertical->setValue(row);
        } else {
            // The row comes in as the last one that shows whole.
            int first = row;
            int height = rowHeight(row);
            while (first > 0 && height + rowHeight(first - 1) <= view.height())
                height += rowHeight(--first);
            vertical->setValue(first);
        }
    }

    QScrollBar* horizontal = horizontalScrollBar();
    if (cell.right() < view.left() || cell.left() > view.right()) {
        // The column comes in whole from the nearer side; one wider than the view shows its start.
        int delta = cell.left() - view.left();
        if (cell.left() > view.right() && cell.width() <= view.width())
            delta = cell.right() - view.right();
        if (horizontalScrollMode() == ScrollPerPixel)
            horizontal->setValue(horizontal->value() + delta);
        else
            scrollTo(model()->index(row, column), QAbstractItemView::EnsureVisible);
    }
    return true;
}

void CGridCtrl::onScrollBarAction()
{
    try {
        if (!hasFocus())
            setFocus(Qt::OtherFocusReason);
        // Without an active window no focus moves; the edit ends all the same.
        commitOpenEdit();
    } catch (const std::exception&) {
        // The owner failed while taking the new text, or memory ran out: the edit box goes.
        dropFailedEdit();
    }
}

void CGridCtrl::commitOpenEdit()
{
    if (editor_ && !editor_->finished())
        editor_->finish();
}

void CGridCtrl::endLabelEdit(int row, int column, const std::optional<QString>& text)
{
    if (!text || row < 0 || column < 0 || row >= rowCount() || column >= columnCount())
        return;
    const QString oldText = cellText(row, column);
    if (*text == oldText)
        return;
    setCellText(row, column, *text);
    if (!listener_ || listener_->onCellChanged(header(GN_CELLCHANGED), row, column) == 0)
        setCellText(row, column, oldText);
}

void CGridCtrl::onSelectionChanged(const QItemSelection& selected)
{
    if (quietSelection_ || !listener_)
        return;
    std::set<int> newlySelected;
    for (const QItemSelectionRange& range : selected)
        for (int r = range.top(); r <= range.bottom(); ++r)
            newlySelected.insert(r);
    for (int r : newlySelected) {
        if (!listener_)
            break;
        listener_->onSelChanged(header(GN_SELCHANGED), r, 0);
    }
}

void CGridCtrl::mouseDoubleClickEvent(QMouseEvent* event)
{
    try {
        const QPoint pos = event->position().toPoint();
        const QModelIndex index = indexAt(pos);
        const GridActivation activation{index.isValid() ? index.row() : -1, index.isValid() ? index.column() : -1,
                                        pos, event->modifiers()};
        event->accept();
        if (listener_ && listener_->onDblClick(header(GN_DBLCLICK), activation) != 0)
            return;
        if (!index.isValid())
            return;
        QItemSelectionModel* sel = selectionModel();
        if (sel->currentIndex().isValid() && sel->currentIndex().row() == index.row()) {
            beginEdit(index.row(), index.column());
        } else {
            sel->select(index, QItemSelectionModel::Select | QItemSelectionModel::Rows);
            sel->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
        }
    } catch (const std::exception&) {
        // Memory while handling the event: it is dropped and the grid stays as it was.
    }
}

void CGridCtrl::contextMenuEvent(QContextMenuEvent* event)
{
    try {
        event->accept();
        QPoint screen = event->globalPos();
        if (event->reason() == QContextMenuEvent::Keyboard)
            screen = mapToGlobal(contentsRect().topLeft() + QPoint(5, 5));
        if (listener_)
            listener_->onContextMenu(header(GN_CONTEXTMENU), screen);
    } catch (const std::exception&) {
        // Memory while handling the event: it is dropped and the grid stays as it was.
    }
}

void CGridCtrl::scrollContentsBy(int dx, int dy)
{
    // However the cells move, an edit box must not stay over another cell: the edit ends and
    // keeps what was typed.
    try {
        if (editor_ && !editor_->finished()) {
            commitOpenEdit();
            if (!hasFocus())
                setFocus(Qt::OtherFocusReason);
        }
    } catch (const std::exception&) {
        // The owner failed while taking the new text, or memory ran out: the edit box goes.
        dropFailedEdit();
    }
    QTableView::scrollContentsBy(dx, dy);
}

void CGridCtrl::dropFailedEdit() noexcept
{
    // The owner failed while taking the new text: the edit box goes, the cell shows what it has.
    if (editor_)
        editor_->hide();
}

void CGridCtrl::onHeaderClicked(int column)
{
    try {
        sortAscending_ = column != sortColumn_ || !sortAscending_;
        if (noSortHeader_)
            return;
        sortColumn_ = column;
        sortKind_ = listener_ ? listener_->onSortQuery(header(GN_SORTQUERY), column, sortAscending_) : 0;
        if (sortKind_ == 0)
            return;
        header_->setSortIndicatorShown(true);
        header_->setSortIndicator(column, sortAscending_ ? Qt::AscendingOrder : Qt::DescendingOrder);
        sortRows(column, sortAscending_);
    } catch (const std::exception&) {
        // Memory while handling the event: it is dropped and the grid stays as it was.
    }
}

void CGridCtrl::sortRows(int column, bool ascending)
{
    commitOpenEdit();
    const int n = rowCount();
    std::vector<QString> keys(n);
    for (int r = 0; r < n; ++r)
        keys[r] = cellText(r, column);
    std::vector<int> order(n);
    std::iota(order.begin(), order.end(), 0);
    const int kind = sortKind_;
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const int c = compareGridTexts(kind, keys[a], keys[b]);
        return ascending ? c < 0 : c > 0;
    });

    // Rows keep their selected and focused states as they move.
    QItemSelectionModel* sel = selectionModel();
    std::vector<bool> wasSelected(n);
    for (int r = 0; r < n; ++r)
        wasSelected[r] = sel->isRowSelected(r, QModelIndex());
    const int currentRow = sel->currentIndex().isValid() ? sel->currentIndex().row() : -1;
    const int currentColumn = sel->currentIndex().isValid() ? sel->currentIndex().column() : 0;

    quietSelection_ = true;
    model_->reorderRows(order);
    sel->clearSelection();
    for (int i = 0; i < n; ++i) {
        if (wasSelected[order[i]])
            sel->select(model()->index(i, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
        if (order[i] == currentRow)
            sel->setCurrentIndex(model()->index(i, currentColumn), QItemSelectionModel::NoUpdate);
    }
    quietSelection_ = false;
}

int CGridCtrl::notifyBeginResize(int column)
{
    return listener_ ? listener_->onBeginResize(header(GN_BEGINRESIZE), column) : 0;
}

int CGridCtrl::notifyEndResize(int column, int newWidth)
{
    return listener_ ? listener_->onEndResize(header(GN_ENDRESIZE), column, newWidth) : 0;
}

int CGridCtrl::notifyColumnDragged(int column, int newOrderPosition)
{
    return listener_ ? listener_->onColumnDragged(header(GN_COLUMNDRAGGED), column, newOrderPosition) : 0;
}

} // namespace controls
