#include "ui/controls/GridItemDelegate.h"

#include "ui/controls/CGridCtrl.h"
#include "ui/controls/QtColors.h"

#include <QApplication>
#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

namespace controls {

GridItemDelegate::GridItemDelegate(CGridCtrl* grid) : QStyledItemDelegate(grid), grid_(grid) {}

void GridItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyleOptionViewItem opt(option);
    initStyleOption(&opt, index);
    opt.displayAlignment = grid_->columnAlignment(index.column()) | Qt::AlignVCenter;
    opt.state &= ~QStyle::State_HasFocus;

    const bool selected = opt.state & QStyle::State_Selected;
    if (selected) {
        // Selected rows always show the highlight colours, whether or not the grid has the focus.
        const QPalette& pal = grid_->palette();
        opt.palette.setColor(QPalette::Inactive, QPalette::Highlight, pal.color(QPalette::Active, QPalette::Highlight));
        opt.palette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                             pal.color(QPalette::Active, QPalette::HighlightedText));
    } else if (const GridRowData* data = grid_->rowData(index.row())) {
        if (data->backColor != kSystemColor)
            opt.backgroundBrush = QBrush(toQColor(data->backColor));
        if (data->textColor != kSystemColor) {
            opt.palette.setColor(QPalette::Active, QPalette::Text, toQColor(data->textColor));
            opt.palette.setColor(QPalette::Inactive, QPalette::Text, toQColor(data->textColor));
        }
    }
    const QWidget* widget = option.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);
}

bool GridItemDelegate::helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                                 const QModelIndex& index)
{
    if (!event || event->type() != QEvent::ToolTip || !index.isValid())
        return QStyledItemDelegate::helpEvent(event, view, option, index);
    if (!(grid_->extendedStyle() & CGridCtrl::InfoTip)) {
        QToolTip::hideText();
        return true;
    }
    const QString text = index.data(Qt::DisplayRole).toString();
    const int room = option.rect.width() - 8;
    if (!text.isEmpty() && option.fontMetrics.horizontalAdvance(text) > room)
        QToolTip::showText(event->globalPos(), text, view);
    else
        QToolTip::hideText();
    return true;
}

} // namespace controls
