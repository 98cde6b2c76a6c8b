#pragma once
// The host's main window: a menu bar that plug-ins extend through "MainMenu/CreateNewMenu".
#include "HostTexts.h"

#include <QMainWindow>
#include <QString>
#include <QStringList>

class MessageBus;
class QAction;

class HostWindow : public QMainWindow {
public:
    explicit HostWindow(MessageBus& bus, int language = hostDefaultLanguage);

    // "A/B/C": menu A, its submenu B, and the item C that runs the command.
    QAction* createMenuItem(const QString& path, const QString& commandName);
    // By the path a plug-in's item was made with, or by the menu texts (see MenuPath.h).
    QAction* findMenuItem(const QString& path) const;
    // Every menu item, as "A/B/C", a "/" in a text written "\/".
    QStringList menuItemPaths() const;

private:
    MessageBus& bus_;
};
