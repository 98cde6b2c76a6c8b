#pragma once
// Menu item paths such as "Данные/Расчёты/Dvinar": the menu texts from the menu bar down, joined
// by "/". A text that holds "/" itself ("Импорт AIA/ANDI…") writes it "\/", and a backslash "\\".
#include <QString>
#include <QStringList>

class QAction;
class QMenuBar;

namespace menupath {

// The texts of a path, escapes undone. A backslash before any other character stands for itself.
QStringList split(const QString& path);
// One text as it appears in a path.
QString escape(const QString& text);
// The item the path names by its menu texts, or nullptr.
QAction* find(const QMenuBar* bar, const QString& path);

} // namespace menupath
