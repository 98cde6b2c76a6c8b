#pragma once
// The grid's rows and columns as a table model: each row holds its cells' texts and its record,
// so the two can never get out of step, and a whole set of rows comes or goes in one step, with
// one notification for the view rather than one per cell.
#include "ui/controls/GridRowData.h"
#include "ui/controls/GridRowSource.h"

#include <QAbstractTableModel>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

namespace controls {

class GridModel : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool removeRows(int row, int count, const QModelIndex& parent = QModelIndex()) override;

    // Inserts an empty row with a fresh record; false when there is no memory for it (nothing
    // changes then) or the position is outside 0 .. rowCount().
    bool insertEmptyRow(int position);
    // Appends one row per entry, the texts in column order (texts beyond the last column are
    // dropped), each with a fresh record.
    void appendRows(const std::vector<QStringList>& rows);
    // Replaces every row by the rows of `source`, each with a fresh record, in one step (one
    // reset of the view); their texts are asked for when first needed. The source must not change
    // while the grid holds its rows.
    void replaceRows(std::unique_ptr<const GridRowSource> source);
    // Appends the rows of `source` after the last row, as replaceRows() takes them.
    void appendRowsFrom(std::unique_ptr<const GridRowSource> source);
    // Removes every row.
    void removeAllRows();
    // Puts the rows in the given order: order[i] is the row that becomes row i.
    void reorderRows(const std::vector<int>& order);

    GridRowData* rowData(int row);
    const QString& cellText(int row, int column) const;
    // False for a cell that is not there.
    bool setCellText(int row, int column, const QString& text);

    // Inserts a column with this title and horizontal alignment; every row gets an empty cell.
    void insertColumn(int column, const QString& title, Qt::Alignment alignment);
    QString columnTitle(int column) const;
    void setColumnTitle(int column, const QString& title);
    Qt::Alignment columnAlignment(int column) const;

private:
    struct Column {
        QString title;
        Qt::Alignment alignment = Qt::AlignLeft;
    };
    struct Row {
        // Empty until the texts are first needed when the row comes from a source.
        std::vector<QString> cells;
        GridRowData data;
        int source = -1;     // index into sources_; -1 once the texts are held
        int sourceRow = 0;
    };

    bool validCell(int row, int column) const;
    // The row's texts, written from its source first when they are not held yet.
    std::vector<QString>& cellsOf(std::size_t row) const;
    std::vector<Row> rowsOf(int source, const GridRowSource& rows) const;

    std::vector<Column> columns_;
    // Written lazily from const readers: the texts a row shows are the same before and after.
    mutable std::vector<Row> rows_;
    std::vector<std::unique_ptr<const GridRowSource>> sources_;
};

} // namespace controls
