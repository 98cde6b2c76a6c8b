#pragma once
// The grid's column header: asks the grid's owner before a column is resized and after a resize
// or a column move by the user, and undoes what the owner refuses. A column of width 0 (a column
// kept out of sight) can never be resized by the user.
#include <QHeaderView>

namespace controls {

class CGridCtrl;

class GridHeaderView : public QHeaderView {
public:
    explicit GridHeaderView(CGridCtrl* grid);

    // The column whose resize handle lies at x (viewport coordinates), or -1.
    int resizeHandleAt(int x) const;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void onSectionMoved(int logicalIndex, int oldVisualIndex, int newVisualIndex);

    CGridCtrl* grid_;
    bool pressed_ = false;
    int resizing_ = -1;
    int widthBefore_ = 0;
    bool undoingMove_ = false;
    int movedColumn_ = -1;
    int movedFrom_ = -1;
    int movedTo_ = -1;
};

} // namespace controls
