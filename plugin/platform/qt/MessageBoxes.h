#pragma once
// The windows' message boxes, behind one small interface so that tests can answer them instead
// of a person. Everything that shows a box goes through messageBoxes().
#include <QString>

class QWidget;

namespace platform {

enum class MessageBoxIcon { None, Information, Warning, Error, Question };
enum class MessageBoxButtons { Ok, OkCancel };
enum class MessageBoxAnswer { Ok, Cancel };

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // A modal box owned by `owner` (may be null); returns the button pressed. Closing the box
    // without a button counts as Cancel when there is one, otherwise as OK.
    virtual MessageBoxAnswer show(QWidget* owner, const QString& text, const QString& caption,
                                  MessageBoxIcon icon, MessageBoxButtons buttons) = 0;
};

// The Qt boxes, unless a test has put its own in place.
MessageBoxes& messageBoxes();
// Puts `boxes` in place of the Qt boxes; null brings the Qt boxes back.
void setMessageBoxes(MessageBoxes* boxes);

} // namespace platform
