#include "platform/qt/MessageBoxes.h"

#include <QMessageBox>

namespace platform {

namespace {

QMessageBox::Icon qtIcon(MessageBoxIcon icon)
{
    switch (icon) {
    case MessageBoxIcon::Information: return QMessageBox::Information;
    case MessageBoxIcon::Warning: return QMessageBox::Warning;
    case MessageBoxIcon::Error: return QMessageBox::Critical;
    case MessageBoxIcon::Question: return QMessageBox::Question;
    case MessageBoxIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

class QtMessageBoxes : public MessageBoxes {
public:
    MessageBoxAnswer show(QWidget* owner, const QString& text, const QString& caption, MessageBoxIcon icon,
                          MessageBoxButtons buttons) override
    {
        const bool withCancel = buttons == MessageBoxButtons::OkCancel;
        QMessageBox box(qtIcon(icon), caption, text,
                        withCancel ? QMessageBox::Ok | QMessageBox::Cancel : QMessageBox::Ok, owner);
        box.setEscapeButton(withCancel ? QMessageBox::Cancel : QMessageBox::Ok);
        // The analyst may copy what a box says (a path, an error), as from any message box.
        box.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        return box.exec() == QMessageBox::Ok ? MessageBoxAnswer::Ok
                                             : (withCancel ? MessageBoxAnswer::Cancel : MessageBoxAnswer::Ok);
    }
};

QtMessageBoxes qtBoxes;
MessageBoxes* current = &qtBoxes;

} // namespace

MessageBoxes& messageBoxes()
{
    return *current;
}

void setMessageBoxes(MessageBoxes* boxes)
{
    current = boxes ? boxes : &qtBoxes;
}

} // namespace platform
