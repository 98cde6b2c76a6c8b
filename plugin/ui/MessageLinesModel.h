#pragma once
// The lines of the messages list as a model: a new set of lines replaces the old one in one step,
// and a line becomes a QString only when the view asks for it, so tens of thousands of lines cost
// no more to show than the screenful that is visible.
#include <QAbstractListModel>

#include <string>
#include <vector>

namespace ui {

class MessageLinesModel : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;

    // Takes these lines in place of the ones held, in their order.
    void setLines(std::vector<std::u16string> lines);
    void clear();
    const std::vector<std::u16string>& lines() const { return lines_; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    std::vector<std::u16string> lines_;
};

} // namespace ui
