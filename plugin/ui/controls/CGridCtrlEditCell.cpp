#include "ui/controls/CGridCtrlEditCell.h"

#include "ui/controls/CGridCtrl.h"

#include <QFocusEvent>
#include <QKeyEvent>

#include <optional>

namespace controls {
namespace {

// Keys the edit box keeps for itself, so that the dialog around the grid does not act on them
// (Enter would press the default button, Escape would close the dialog).
bool isOwnKey(const QKeyEvent& e)
{
    const int key = e.key();
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape || key == Qt::Key_Delete ||
           (e.modifiers() & Qt::ControlModifier);
}

} // namespace

CGridCtrlEditCell::CGridCtrlEditCell(CGridCtrl* grid, int row, int column, const QString& initialText,
                                     const QRect& rect, Qt::Alignment alignment)
    : QLineEdit(grid->viewport()), row(row), column(column), initialText(initialText), grid_(grid)
{
    setObjectName(QStringLiteral("gridEditCell%1").arg(kControlId));
    setFrame(true);
    setAlignment(alignment | Qt::AlignVCenter);
    setFont(grid->font());
    setGeometry(rect);
    setText(initialText);
    show();
    setFocus(Qt::OtherFocusReason);
    selectAll();
}

bool CGridCtrlEditCell::event(QEvent* e)
{
    if (e->type() == QEvent::ShortcutOverride && isOwnKey(*static_cast<QKeyEvent*>(e))) {
        e->accept();
        return true;
    }
    return QLineEdit::event(e);
}

void CGridCtrlEditCell::keyPressEvent(QKeyEvent* e)
{
    try {
        switch (e->key()) {
        case Qt::Key_Escape:
            cancelled = true;
            returnFocusToGrid();
            e->accept();
            return;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            returnFocusToGrid();
            e->accept();
            return;
        default:
            break;
        }
        const bool own = isOwnKey(*e);
        QLineEdit::keyPressEvent(e);
        if (own)
            e->accept();
    } catch (const std::exception&) {
        // Memory while handling a key: the key is dropped and the edit stays as it was.
    }
}

void CGridCtrlEditCell::focusOutEvent(QFocusEvent* e)
{
    try {
        QLineEdit::focusOutEvent(e);
        // A popup (the edit's own context menu) borrows the focus and gives it back.
        if (e->reason() != Qt::PopupFocusReason)
            finish();
    } catch (const std::exception&) {
        // Memory while ending the edit: the cell keeps its former text, as after Esc.
    }
}

void CGridCtrlEditCell::returnFocusToGrid()
{
    if (grid_)
        grid_->setFocus(Qt::OtherFocusReason);
    // When the window is not the active one, no focus change reaches the edit box; the edit ends
    // all the same.
    finish();
}

void CGridCtrlEditCell::finish()
{
    if (finished_)
        return;
    finished_ = true;
    std::optional<QString> newText;
    if (!cancelled)
        newText = text();
    // Hiding a focused widget would hand the focus to whatever comes next in the dialog.
    if (hasFocus() && grid_)
        grid_->setFocus(Qt::OtherFocusReason);
    hide();
    if (grid_)
        grid_->endLabelEdit(row, column, newText);
    deleteLater();
}

void CGridCtrlEditCell::cancel()
{
    cancelled = true;
    finish();
}

void CGridCtrlEditCell::abandon()
{
    finished_ = true;
    grid_ = nullptr;
    hide();
}

} // namespace controls
