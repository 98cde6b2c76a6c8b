#include "ui/MessageLinesModel.h"

#include "ui/UiText.h"

namespace ui {

void MessageLinesModel::setLines(std::vector<std::u16string> lines)
{
    beginResetModel();
    lines_.swap(lines);
    endResetModel();
    // The old lines are freed after the view has let go of them.
}

void MessageLinesModel::clear()
{
    if (lines_.empty())
        return;
    setLines({});
}

int MessageLinesModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(lines_.size());
}

QVariant MessageLinesModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.column() != 0 || index.row() < 0 || index.row() >= rowCount())
        return {};
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    return toQString(lines_[static_cast<std::size_t>(index.row())]);
}

Qt::ItemFlags MessageLinesModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemNeverHasChildren;
}

} // namespace ui
