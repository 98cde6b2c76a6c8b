#pragma once
// The grid's rows and columns as a table model: each row holds its cells' texts and its record,
// so the two can never get out of step, and a whole set of rows comes or goes in one step, with
// one notification for the view rather than one per cell.
#include "ui/controls/GridRowData.h"

#include <QAbstractTableModel>
#include <QString>
#include <QStringList>

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
        std::vector<QString> cells;
        GridRowData data;
    };

    bool validCell(int row, int column) const;

    std::vector<Column> columns_;
    std::vector<Row> rows_;
};

} // namespace controls
