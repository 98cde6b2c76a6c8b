#include "HostWindow.h"

#include "MenuPath.h"
#include "MessageBus.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>

namespace {

void collectPaths(const QList<QAction*>& actions, const QString& prefix, QStringList& out)
{
    for (QAction* action : actions) {
        const QString text = menupath::escape(action->text());
        const QString path = prefix.isEmpty() ? text : prefix + u'/' + text;
        if (action->menu())
            collectPaths(action->menu()->actions(), path, out);
        else if (!action->isSeparator())
            out << path;
    }
}

} // namespace

HostWindow::HostWindow(MessageBus& bus, int language) : bus_(bus)
{
    setWindowTitle(hostText(HostText::MainWindowTitle, language));
    auto* label = new QLabel(hostText(HostText::MainWindowNote, language), this);
    label->setAlignment(Qt::AlignCenter);
    setCentralWidget(label);
    resize(800, 500);
}

QAction* HostWindow::createMenuItem(const QString& path, const QString& commandName)
{
    QStringList parts = path.split(u'/', Qt::SkipEmptyParts);
    if (parts.isEmpty())
        return nullptr;
    const QString itemText = parts.takeLast();
    QMenu* menu = nullptr;
    for (const QString& part : parts) {
        const QList<QAction*> siblings = menu ? menu->actions() : menuBar()->actions();
        QMenu* found = nullptr;
        for (QAction* action : siblings)
            if (action->menu() && action->text() == part)
                found = action->menu();
        if (!found)
            found = menu ? menu->addMenu(part) : menuBar()->addMenu(part);
        menu = found;
    }
    QAction* item = menu ? menu->addAction(itemText) : menuBar()->addAction(itemText);
    item->setObjectName(path);
    const std::string command = commandName.toStdString();
    connect(item, &QAction::triggered, this, [this, command] {
        bus_.call(command, reinterpret_cast<intptr_t>(static_cast<QWidget*>(this)), 0);
    });
    return item;
}

QAction* HostWindow::findMenuItem(const QString& path) const
{
    const QList<QAction*> all = findChildren<QAction*>();
    for (QAction* action : all)
        if (action->objectName() == path)
            return action;
    // Items the host made itself are found by their texts, "\/" standing for a "/" in one.
    return menupath::find(menuBar(), path);
}

QStringList HostWindow::menuItemPaths() const
{
    QStringList out;
    collectPaths(menuBar()->actions(), QString(), out);
    return out;
}
