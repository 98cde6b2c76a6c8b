#include "ui/TabControl.h"

#include <QCoreApplication>
#include <QPainter>
#include <QResizeEvent>
#include <QStyleOptionTabWidgetFrame>
#include <QTabBar>

namespace ui {

TabControl::TabControl(QWidget* parent) : QWidget(parent), tabs_(new QTabBar(this))
{
    tabs_->setDrawBase(false);
    tabs_->setExpanding(false);
    tabs_->setUsesScrollButtons(true);
    tabs_->move(0, 0);
    // The tab row stays within the space the pages leave above them.
    tabs_->setFixedHeight(kPageTop);
}

int TabControl::addPage(QWidget* page, const QString& caption)
{
    const int index = tabs_->addTab(caption);
    tabs_->setTabData(index, QVariant::fromValue(static_cast<QObject*>(page)));
    if (page)
        page->setGeometry(pageRectangle());
    return index;
}

int TabControl::count() const { return tabs_->count(); }

QWidget* TabControl::page(int index) const
{
    if (index < 0 || index >= tabs_->count())
        return nullptr;
    return qobject_cast<QWidget*>(tabs_->tabData(index).value<QObject*>());
}

int TabControl::currentIndex() const { return tabs_->currentIndex(); }

void TabControl::setCurrentIndex(int index) { tabs_->setCurrentIndex(index); }

QRect TabControl::pageRectangle() const
{
    return rect().adjusted(kPageLeft, kPageTop, -kPageRight, -kPageBottom);
}

void TabControl::placePages()
{
    const QRect area = pageRectangle();
    for (int i = 0; i < count(); ++i) {
        QWidget* p = page(i);
        if (!p)
            continue;
        const QSize oldSize = p->size();
        p->setGeometry(area);
        // Qt holds back the resize event of a hidden widget until it is shown; a hidden page's
        // controls follow its new size now, so that every page is laid out whichever is shown.
        if (!p->isVisible() && oldSize != area.size()) {
            QResizeEvent resized(area.size(), oldSize);
            QCoreApplication::sendEvent(p, &resized);
        }
    }
}

void TabControl::showOnlyPage(int index)
{
    for (int i = 0; i < count(); ++i)
        if (QWidget* p = page(i))
            p->setVisible(i == index);
}

void TabControl::resizeEvent(QResizeEvent* event)
{
    // The window's layout resizes this control whenever the window's size changes; the pages
    // follow it here, the hidden ones too.
    tabs_->resize(width(), kPageTop);
    placePages();
    QWidget::resizeEvent(event);
}

void TabControl::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QStyleOptionTabWidgetFrame frame;
    frame.initFrom(this);
    frame.rect = rect().adjusted(0, kPageTop - 2, 0, 0);
    frame.shape = QTabBar::RoundedNorth;
    frame.tabBarSize = tabs_->sizeHint();
    frame.tabBarRect = tabs_->geometry();
    frame.lineWidth = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
    style()->drawPrimitive(QStyle::PE_FrameTabWidget, &frame, &painter, this);
}

} // namespace ui
