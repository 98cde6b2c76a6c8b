#include "ui/ProportionalLayout.h"

#include <QEvent>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace ui {

namespace {

int share(int change, int percent)
{
    return static_cast<int>(std::lround(change * percent / 100.0));
}

} // namespace

ProportionalLayout::ProportionalLayout(QWidget* container)
    : QObject(container), container_(container), reference_(container ? container->size() : QSize())
{
    if (container_)
        container_->installEventFilter(this);
}

void ProportionalLayout::add(QWidget* widget, ResizeRule rule)
{
    if (!widget)
        return;
    items_.push_back({widget, widget->geometry(), rule});
}

QRect ProportionalLayout::place(const QRect& start, ResizeRule rule, QSize delta)
{
    const int left = start.x() + share(delta.width(), rule.moveX);
    const int top = start.y() + share(delta.height(), rule.moveY);
    const int right = start.x() + start.width() + share(delta.width(), rule.moveX + rule.growX);
    const int bottom = start.y() + start.height() + share(delta.height(), rule.moveY + rule.growY);
    return QRect(left, top, std::max(0, right - left), std::max(0, bottom - top));
}

void ProportionalLayout::apply()
{
    if (!container_)
        return;
    const QSize delta = container_->size() - reference_;
    for (const Item& item : items_)
        if (item.widget)
            item.widget->setGeometry(place(item.start, item.rule, delta));
}

bool ProportionalLayout::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == container_ && event->type() == QEvent::Resize)
        apply();
    return QObject::eventFilter(watched, event);
}

} // namespace ui
