#include "MenuPath.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace menupath {

QStringList split(const QString& path)
{
    QStringList parts;
    QString part;
    for (qsizetype i = 0; i < path.size(); ++i) {
        const QChar c = path.at(i);
        if (c == u'\\' && i + 1 < path.size() && (path.at(i + 1) == u'/' || path.at(i + 1) == u'\\')) {
            part += path.at(++i);
        } else if (c == u'/') {
            parts << part;
            part.clear();
        } else {
            part += c;
        }
    }
    parts << part;
    return parts;
}

QString escape(const QString& text)
{
    QString out;
    for (const QChar c : text) {
        if (c == u'/' || c == u'\\')
            out += u'\\';
        out += c;
    }
    return out;
}

QAction* find(const QMenuBar* bar, const QString& path)
{
    if (!bar)
        return nullptr;
    const QStringList parts = split(path);
    QList<QAction*> level = bar->actions();
    for (qsizetype i = 0; i < parts.size(); ++i) {
        QAction* match = nullptr;
        for (QAction* action : level) {
            if (!action->isSeparator() && action->text() == parts[i]) {
                match = action;
                break;
            }
        }
        if (!match)
            return nullptr;
        const bool last = i + 1 == parts.size();
        if (last)
            return match->menu() ? nullptr : match;
        if (!match->menu())
            return nullptr;
        level = match->menu()->actions();
    }
    return nullptr;
}

} // namespace menupath
