#pragma once
// Moves and sizes a window's controls in proportion to the change of the window's size: each
// control follows the change by fixed fractions (percent) for its left/top edges (moving) and
// its width/height (growing), measured from the size the window had when the control was added.
// The window's own Resize event drives it, so it follows every resize, shown or hidden.
#include <QObject>
#include <QRect>
#include <QSize>
#include <QPointer>

#include <vector>

class QWidget;

namespace ui {

// Percentages of the change of the window's width and height.
struct ResizeRule {
    int moveX = 0;
    int moveY = 0;
    int growX = 0;
    int growY = 0;
};

class ProportionalLayout : public QObject {
public:
    // Takes the container's current size as the reference size; installs itself as the
    // container's event filter and is owned by it.
    explicit ProportionalLayout(QWidget* container);

    // Follows `widget` (a child of the container) from its current geometry.
    void add(QWidget* widget, ResizeRule rule);

    // Places every followed control for the container's current size.
    void apply();

    QSize referenceSize() const { return reference_; }

    // Where a control of reference geometry `start` goes when the window grew by `delta`
    // (negative when it shrank). Left and right edges are computed separately so that two
    // controls sharing a change (50 % and 50 %) never leave a gap or overlap by rounding.
    static QRect place(const QRect& start, ResizeRule rule, QSize delta);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Item {
        QPointer<QWidget> widget;
        QRect start;
        ResizeRule rule;
    };

    QWidget* container_;
    QSize reference_;
    std::vector<Item> items_;
};

} // namespace ui
