#pragma once
// The lines of the messages list as a model: a new set of lines replaces the old one in one step,
// and a line becomes a QString only when the view asks for it, so tens of thousands of lines cost
// no more to show than the screenful that is visible. The lines are either given one by one or
// are the display lines of a message log, of which the model keeps its own copy: a line is then
// written only when it is shown.
#include "engine/MessageLog.h"

#include <QAbstractListModel>

#include <string>
#include <vector>

namespace ui {

class MessageLinesModel : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;

    // Takes these lines in place of the ones held, in their order.
    void setLines(std::vector<std::u16string> lines);
    // Shows the display lines of this log as it is now; later changes of the log do not reach
    // the list until it is handed over again.
    void setLog(const MessageLog& log);
    void clear();
    // The lines held, in order.
    std::vector<std::u16string> lines() const;
    std::u16string line(int row) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    std::vector<std::u16string> lines_;
    // Used instead of lines_ while fromLog_ is set.
    MessageLog log_;
    std::size_t logLines_ = 0;
    bool fromLog_ = false;
};

} // namespace ui
