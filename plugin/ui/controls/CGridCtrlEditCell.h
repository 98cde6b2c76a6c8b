#pragma once
// The short-lived edit box of the grid's in-place editing. It commits when it loses the focus,
// for whatever reason (Enter, a click elsewhere, a scroll of the grid), and cancels on Escape;
// then it goes away by itself.
#include <QLineEdit>
#include <QPointer>

namespace controls {

class CGridCtrl;

class CGridCtrlEditCell : public QLineEdit {
public:
    static constexpr int kControlId = 9801;

    // Created by the grid over the cell's rectangle (in its viewport), with the cell's text.
    CGridCtrlEditCell(CGridCtrl* grid, int row, int column, const QString& initialText, const QRect& rect,
                      Qt::Alignment alignment);

    int row;
    int column;
    QString initialText;
    bool cancelled = false;

    // What losing the focus does: report the text (or the cancellation) to the grid once, then
    // go away.
    void finish();
    // Ends the edit as if Escape had been pressed.
    void cancel();
    // Leaves without reporting anything (the grid is going away).
    void abandon();
    bool finished() const { return finished_; }

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void returnFocusToGrid();

    QPointer<CGridCtrl> grid_;
    bool finished_ = false;
};

} // namespace controls
