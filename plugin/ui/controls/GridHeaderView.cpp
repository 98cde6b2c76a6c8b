#include "ui/controls/GridHeaderView.h"

#include "ui/controls/CGridCtrl.h"

#include <QMouseEvent>
#include <QStyle>

namespace controls {

GridHeaderView::GridHeaderView(CGridCtrl* grid) : QHeaderView(Qt::Horizontal, grid), grid_(grid)
{
    setSectionsClickable(true);
    setHighlightSections(false);
    setSectionResizeMode(QHeaderView::Interactive);
    setStretchLastSection(false);
    setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    connect(this, &QHeaderView::sectionMoved, this,
            [this](int logical, int from, int to) { onSectionMoved(logical, from, to); });
}

int GridHeaderView::resizeHandleAt(int x) const
{
    // The same hit test the header uses to start a resize: a grip at either end of a section
    // belongs to the section before the divider.
    int visual = visualIndexAt(x);
    if (visual == -1)
        return -1;
    const int logical = logicalIndex(visual);
    const int pos = sectionViewportPosition(logical);
    const int grip = style()->pixelMetric(QStyle::PM_HeaderGripMargin, nullptr, this);
    const bool atLeft = x < pos + grip;
    const bool atRight = x > pos + sectionSize(logical) - grip;
    if (atLeft) {
        while (visual > 0) {
            const int before = logicalIndex(--visual);
            if (!isSectionHidden(before))
                return before;
        }
        return -1;
    }
    if (atRight)
        return logical;
    return -1;
}

void GridHeaderView::mousePressEvent(QMouseEvent* event)
{
    try {
        resizing_ = -1;
        movedColumn_ = -1;
        if (event->button() == Qt::LeftButton) {
            const int handle = resizeHandleAt(event->position().toPoint().x());
            if (handle >= 0 && sectionResizeMode(handle) == QHeaderView::Interactive) {
                if (sectionSize(handle) == 0 || grid_->notifyBeginResize(handle) != 0) {
                    event->accept();
                    return;
                }
                resizing_ = handle;
                widthBefore_ = sectionSize(handle);
            }
            pressed_ = true;
        }
        QHeaderView::mousePressEvent(event);
    } catch (const std::exception&) {
        // Memory while handling the mouse: the event is dropped and the columns stay as they were.
    }
}

void GridHeaderView::mouseReleaseEvent(QMouseEvent* event)
{
    try {
        QHeaderView::mouseReleaseEvent(event);
        if (event->button() != Qt::LeftButton)
            return;
        pressed_ = false;
        const int resized = resizing_;
        resizing_ = -1;
        if (resized >= 0) {
            const int newWidth = sectionSize(resized);
            if (newWidth != widthBefore_ && widthBefore_ != 0 && grid_->notifyEndResize(resized, newWidth) == 1)
                resizeSection(resized, widthBefore_);
        }
        const int moved = movedColumn_;
        movedColumn_ = -1;
        if (moved >= 0 && sectionSize(moved) != 0 && grid_->notifyColumnDragged(moved, movedTo_) == 1) {
            undoingMove_ = true;
            moveSection(movedTo_, movedFrom_);
            undoingMove_ = false;
        }
    } catch (const std::exception&) {
        // Memory while handling the release: the columns keep what Qt already did.
        undoingMove_ = false;
    }
}

void GridHeaderView::mouseDoubleClickEvent(QMouseEvent* event)
{
    try {
        // A double click on a divider sizes the column to its contents: not for a hidden column,
        // and not when the owner refuses the resize.
        const int handle = resizeHandleAt(event->position().toPoint().x());
        if (handle >= 0 && (sectionSize(handle) == 0 || grid_->notifyBeginResize(handle) != 0)) {
            event->accept();
            return;
        }
        QHeaderView::mouseDoubleClickEvent(event);
    } catch (const std::exception&) {
        // Memory while handling the mouse: the event is dropped and the columns stay as they were.
    }
}

void GridHeaderView::onSectionMoved(int logicalIndex, int oldVisualIndex, int newVisualIndex)
{
    // Only a move the user makes by dragging is reported; moves made by code are not.
    if (undoingMove_ || !pressed_)
        return;
    if (movedColumn_ < 0)
        movedFrom_ = oldVisualIndex;
    movedColumn_ = logicalIndex;
    movedTo_ = newVisualIndex;
}

} // namespace controls
