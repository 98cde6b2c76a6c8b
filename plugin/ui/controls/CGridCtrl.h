#pragma once
// The list control used for every table of the windows: a report-style list with grid lines and
// full-row selection that adds a record per row (colours and the owner's value), in-place editing
// of single cells, notifications to the owner (with its right to refuse an edit or undo it), and
// helpers for filling cells.
//
// Rows are added with appendRow(), insertRowAt() or many at once with appendRows(), and removed
// all at once with deleteAllRows(). The rows live in the grid's own model (texts and records
// together), so filling a grid costs one notification of the view, however many rows it takes.
// The grid keeps its rows in the order it shows them and sorts them itself; leave Qt's own
// sorting (setSortingEnabled) off.
#include "ui/controls/GridListener.h"
#include "ui/controls/GridRowData.h"
#include "ui/controls/GridRowSource.h"

#include <QPointer>
#include <QString>
#include <QTableView>

#include <memory>
#include <optional>
#include <string_view>
#include <vector>

namespace controls {

class CGridCtrlEditCell;
class GridHeaderView;
class GridModel;

class CGridCtrl : public QTableView {
public:
    // The list view's extended styles that the grid knows.
    enum ExtendedStyle : unsigned {
        GridLines = 0x0001,
        FullRowSelect = 0x0020,
        InfoTip = 0x0400,
    };

    explicit CGridCtrl(QWidget* parent = nullptr, int controlId = 0);
    ~CGridCtrl() override;

    void setListener(GridListener* listener) { listener_ = listener; }
    void setControlId(int id) { controlId_ = id; }
    int controlId() const { return controlId_; }

    // Grid lines, full-row selection and info tips when made; owners may set fewer.
    void setExtendedStyle(unsigned style);
    unsigned extendedStyle() const { return extendedStyle_; }
    // The list view's no-sort-header style: header clicks then ask no sort question.
    void setNoSortHeader(bool on) { noSortHeader_ = on; }
    bool noSortHeader() const { return noSortHeader_; }

    // Inserts an empty row after the last one with a fresh record; returns its index.
    int appendRow();
    // Inserts an empty row at `position` with a fresh record; returns its index, negative when
    // the position is outside 0 .. rowCount().
    int insertRowAt(int position);
    // Appends one row per entry of `rows`, each with a fresh record and its cells' texts in column
    // order (texts beyond the last column are dropped), in one step: the view hears of the new
    // rows and their texts once, not once per cell.
    void appendRows(const std::vector<QStringList>& rows);
    // Replaces every row by the rows of `source` (an open editor is cancelled first), or appends
    // them: each row gets a fresh record, and its texts are written when first needed, so only
    // the rows that are shown cost their formatting. A replacement is one reset of the view, and
    // the list starts at its top again as after deleteAllRows().
    void replaceRows(std::unique_ptr<const GridRowSource> source);
    void appendRowsFrom(std::unique_ptr<const GridRowSource> source);
    // Frees every row's record, then removes all rows. An open editor is cancelled first.
    void deleteAllRows();
    // The record of a row; null for a row that does not exist.
    GridRowData* rowData(int row) const;

    int rowCount() const;
    int columnCount() const;
    // The row of the focused cell, -1 when no cell has the focus.
    int currentRow() const;
    // Makes the cell the current one and selects its row, as a click on it does.
    void setCurrentCell(int row, int column);

    // Inserts a column titled with the text of a string resource; returns its index.
    int insertColumnFromResource(int column, int stringId, int width);
    // Inserts a column with the given title, width and alignment; returns its index.
    int insertColumnTitled(int column, const QString& title, int width, Qt::Alignment alignment = Qt::AlignLeft);
    // The horizontal alignment of a column (left, right or centre).
    Qt::Alignment columnAlignment(int column) const;
    QString columnTitle(int column) const;
    void setColumnTitle(int column, const QString& title);

    // Removes the selected and the focused state from every selected row.
    void clearSelection();

    QString cellText(int row, int column) const;
    void setCellText(int row, int column, const QString& text);
    void setCellInt(int row, int column, int value);
    // The cell shows `value` formatted with a printf format (always with a decimal point).
    void setCellFormatted(int row, int column, std::u16string_view format, double value);

    // Opens the in-place editor on a cell, when the owner agrees; null when editing is not
    // possible.
    CGridCtrlEditCell* beginEdit(int row, int column);
    // The editor that is open, if any.
    CGridCtrlEditCell* editor() const;
    // Scrolls just far enough that the cell shows, at least in part: nothing moves when it does
    // already; a cell outside the view comes in at the nearer edge. False for a cell that is not
    // there.
    bool ensureCellVisible(int row, int column);

    int sortColumn() const { return sortColumn_; }
    bool sortAscending() const { return sortAscending_; }
    int sortKind() const { return sortKind_; }

    // The end of an edit, as the editor reports it: no text when it was cancelled.
    void endLabelEdit(int row, int column, const std::optional<QString>& text);

    // Notifications from the header, with the owner's answers.
    int notifyBeginResize(int column);
    int notifyEndResize(int column, int newWidth);
    int notifyColumnDragged(int column, int newOrderPosition);

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    GridNotifyHeader header(int code);
    void onSelectionChanged(const QItemSelection& selected);
    void onHeaderClicked(int column);
    void sortRows(int column, bool ascending);
    void commitOpenEdit();
    void onScrollBarAction();
    void dropFailedEdit() noexcept;

    GridListener* listener_ = nullptr;
    int controlId_ = 0;
    unsigned extendedStyle_ = 0;
    bool noSortHeader_ = false;
    int sortColumn_ = -1;
    bool sortAscending_ = true;
    int sortKind_ = 0;
    bool quietSelection_ = false;
    GridModel* model_ = nullptr;  // owned by the grid
    QPointer<CGridCtrlEditCell> editor_;
    GridHeaderView* header_ = nullptr;
};

} // namespace controls
