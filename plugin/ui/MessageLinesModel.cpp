#include "ui/MessageLinesModel.h"

#include "ui/UiText.h"

namespace ui {

void MessageLinesModel::setLines(std::vector<std::u16string> lines)
{
    beginResetModel();
    lines_.swap(lines);
    fromLog_ = false;
    logLines_ = 0;
    endResetModel();
    // The old lines are freed after the view has let go of them.
}

void MessageLinesModel::setLog(const MessageLog& log)
{
    beginResetModel();
    // Assigning into the copy held keeps its buffers: one copy of the texts, no allocation for
    // each line, and none at all once the buffers are large enough.
    log_ = log;
    logLines_ = log_.displayLineCount();
    fromLog_ = true;
    lines_.clear();
    endResetModel();
}

void MessageLinesModel::clear()
{
    if (rowCount() == 0)
        return;
    beginResetModel();
    lines_.clear();
    log_.clear();
    logLines_ = 0;
    fromLog_ = false;
    endResetModel();
}

std::vector<std::u16string> MessageLinesModel::lines() const
{
    if (!fromLog_)
        return lines_;
    std::vector<std::u16string> all;
    all.reserve(logLines_);
    for (std::size_t i = 0; i < logLines_; ++i)
        all.push_back(log_.displayLine(i));
    return all;
}

std::u16string MessageLinesModel::line(int row) const
{
    if (row < 0 || row >= rowCount())
        return {};
    const auto at = static_cast<std::size_t>(row);
    return fromLog_ ? log_.displayLine(at) : lines_[at];
}

int MessageLinesModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid())
        return 0;
    return static_cast<int>(fromLog_ ? logLines_ : lines_.size());
}

QVariant MessageLinesModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.column() != 0 || index.row() < 0 || index.row() >= rowCount())
        return {};
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    if (!fromLog_)
        return toQString(lines_[static_cast<std::size_t>(index.row())]);
    return toQString(log_.displayLine(static_cast<std::size_t>(index.row())));
}

Qt::ItemFlags MessageLinesModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemNeverHasChildren;
}

} // namespace ui
