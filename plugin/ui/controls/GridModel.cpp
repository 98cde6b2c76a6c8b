#include "ui/controls/GridModel.h"

#include <algorithm>
#include <iterator>
#include <new>

namespace controls {

namespace {

const QString& noText()
{
    static const QString empty;
    return empty;
}

} // namespace

std::vector<QString>& GridModel::cellsOf(std::size_t row) const
{
    Row& held = rows_[row];
    if (held.source >= 0) {
        std::vector<QString> cells(columns_.size());
        sources_[static_cast<std::size_t>(held.source)]->writeTexts(held.sourceRow, cells);
        cells.resize(columns_.size());
        held.cells = std::move(cells);
        held.source = -1;
    }
    return held.cells;
}

int GridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int GridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

bool GridModel::validCell(int row, int column) const
{
    return row >= 0 && column >= 0 && row < rowCount() && column < columnCount();
}

QVariant GridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || !validCell(index.row(), index.column()))
        return {};
    if (role == Qt::DisplayRole || role == Qt::EditRole) {
        try {
            const QString& text = cellsOf(static_cast<std::size_t>(index.row()))[static_cast<std::size_t>(index.column())];
            // An empty cell is a cell without text, as a list view shows it.
            return text.isEmpty() ? QVariant() : QVariant(text);
        } catch (const std::bad_alloc&) {
            // The view asks while painting, where nothing may escape: the cell shows empty this
            // time, and its row is written again when next shown.
            return {};
        }
    }
    return {};
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount())
        return QAbstractTableModel::headerData(section, orientation, role);
    const Column& column = columns_[static_cast<std::size_t>(section)];
    if (role == Qt::DisplayRole)
        return column.title;
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(column.alignment | Qt::AlignVCenter);
    return {};
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    // The grid edits through its own editor, when its owner agrees; the view never starts one.
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemNeverHasChildren;
}

bool GridModel::removeRows(int row, int count, const QModelIndex& parent)
{
    if (parent.isValid() || row < 0 || count <= 0 || row + count > rowCount())
        return false;
    beginRemoveRows(QModelIndex(), row, row + count - 1);
    rows_.erase(rows_.begin() + row, rows_.begin() + row + count);
    if (rows_.empty())
        sources_.clear();
    endRemoveRows();
    return true;
}

bool GridModel::insertEmptyRow(int position)
{
    if (position < 0 || position > rowCount())
        return false;
    Row fresh;
    try {
        fresh.cells.resize(columns_.size());
        rows_.reserve(rows_.size() + 1);
    } catch (const std::bad_alloc&) {
        return false;
    }
    beginInsertRows(QModelIndex(), position, position);
    rows_.insert(rows_.begin() + position, std::move(fresh));  // cannot throw: the room is there
    endInsertRows();
    return true;
}

void GridModel::appendRows(const std::vector<QStringList>& rows)
{
    if (rows.empty())
        return;
    std::vector<Row> fresh(rows.size());
    for (std::size_t r = 0; r < rows.size(); ++r) {
        fresh[r].cells.resize(columns_.size());
        const std::size_t cells = std::min(columns_.size(), static_cast<std::size_t>(rows[r].size()));
        for (std::size_t c = 0; c < cells; ++c)
            fresh[r].cells[c] = rows[r][static_cast<qsizetype>(c)];
    }
    rows_.reserve(rows_.size() + fresh.size());
    const int first = rowCount();
    beginInsertRows(QModelIndex(), first, first + static_cast<int>(fresh.size()) - 1);
    rows_.insert(rows_.end(), std::make_move_iterator(fresh.begin()), std::make_move_iterator(fresh.end()));
    endInsertRows();
}

std::vector<GridModel::Row> GridModel::rowsOf(int source, const GridRowSource& rows) const
{
    std::vector<Row> fresh(static_cast<std::size_t>(std::max(0, rows.rowCount())));
    for (std::size_t r = 0; r < fresh.size(); ++r) {
        fresh[r].source = source;
        fresh[r].sourceRow = static_cast<int>(r);
    }
    return fresh;
}

void GridModel::replaceRows(std::unique_ptr<const GridRowSource> source)
{
    std::vector<Row> fresh = source ? rowsOf(0, *source) : std::vector<Row>();
    std::vector<std::unique_ptr<const GridRowSource>> sources;
    if (!fresh.empty())
        sources.push_back(std::move(source));
    beginResetModel();
    rows_.swap(fresh);
    sources_.swap(sources);
    endResetModel();
    // The old rows and their sources are freed after the view has let go of them.
}

void GridModel::appendRowsFrom(std::unique_ptr<const GridRowSource> source)
{
    if (!source || source->rowCount() <= 0)
        return;
    if (rows_.empty()) {
        replaceRows(std::move(source));
        return;
    }
    std::vector<Row> fresh = rowsOf(static_cast<int>(sources_.size()), *source);
    rows_.reserve(rows_.size() + fresh.size());
    sources_.push_back(std::move(source));
    const int first = rowCount();
    beginInsertRows(QModelIndex(), first, first + static_cast<int>(fresh.size()) - 1);
    rows_.insert(rows_.end(), std::make_move_iterator(fresh.begin()), std::make_move_iterator(fresh.end()));
    endInsertRows();
}

void GridModel::removeAllRows()
{
    if (rows_.empty())
        return;
    removeRows(0, rowCount());
}

void GridModel::reorderRows(const std::vector<int>& order)
{
    if (order.size() != rows_.size())
        return;
    std::vector<Row> sorted;
    sorted.reserve(rows_.size());
    for (int from : order)
        sorted.push_back(std::move(rows_[static_cast<std::size_t>(from)]));
    emit layoutAboutToBeChanged();
    // Indexes the view keeps (the current cell among them) move with their rows.
    const QModelIndexList kept = persistentIndexList();
    std::vector<int> newRowOf(order.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        newRowOf[static_cast<std::size_t>(order[i])] = static_cast<int>(i);
    QModelIndexList moved;
    moved.reserve(kept.size());
    for (const QModelIndex& index : kept)
        moved.push_back(index.isValid() && index.row() < static_cast<int>(newRowOf.size())
                            ? createIndex(newRowOf[static_cast<std::size_t>(index.row())], index.column())
                            : QModelIndex());
    rows_ = std::move(sorted);
    changePersistentIndexList(kept, moved);
    emit layoutChanged();
}

GridRowData* GridModel::rowData(int row)
{
    if (row < 0 || row >= rowCount())
        return nullptr;
    return &rows_[static_cast<std::size_t>(row)].data;
}

const QString& GridModel::cellText(int row, int column) const
{
    if (!validCell(row, column))
        return noText();
    return cellsOf(static_cast<std::size_t>(row))[static_cast<std::size_t>(column)];
}

bool GridModel::setCellText(int row, int column, const QString& text)
{
    if (!validCell(row, column))
        return false;
    cellsOf(static_cast<std::size_t>(row))[static_cast<std::size_t>(column)] = text;
    const QModelIndex changed = index(row, column);
    emit dataChanged(changed, changed, {Qt::DisplayRole, Qt::EditRole});
    return true;
}

void GridModel::insertColumn(int column, const QString& title, Qt::Alignment alignment)
{
    column = std::clamp(column, 0, columnCount());
    // A source writes its texts for the columns as they are: rows still waiting for theirs take
    // them now, before the columns move.
    for (std::size_t r = 0; r < rows_.size(); ++r)
        cellsOf(r);
    beginInsertColumns(QModelIndex(), column, column);
    columns_.insert(columns_.begin() + column, Column{title, alignment});
    for (Row& row : rows_)
        row.cells.insert(row.cells.begin() + column, QString());
    endInsertColumns();
}

QString GridModel::columnTitle(int column) const
{
    if (column < 0 || column >= columnCount())
        return {};
    return columns_[static_cast<std::size_t>(column)].title;
}

void GridModel::setColumnTitle(int column, const QString& title)
{
    if (column < 0 || column >= columnCount())
        return;
    columns_[static_cast<std::size_t>(column)].title = title;
    emit headerDataChanged(Qt::Horizontal, column, column);
}

Qt::Alignment GridModel::columnAlignment(int column) const
{
    if (column < 0 || column >= columnCount())
        return Qt::AlignLeft;
    return columns_[static_cast<std::size_t>(column)].alignment;
}

} // namespace controls
