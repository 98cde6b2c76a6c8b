#pragma once
// Paints the grid's cells in their row's colours (the highlight colours for selected rows) and
// with their column's alignment, and shows a cut-off cell text as a tip.
#include <QStyledItemDelegate>

namespace controls {

class CGridCtrl;

class GridItemDelegate : public QStyledItemDelegate {
public:
    explicit GridItemDelegate(CGridCtrl* grid);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;

private:
    CGridCtrl* grid_;
};

} // namespace controls
