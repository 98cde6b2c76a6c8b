#pragma once
// Finding and working the main window's controls from outside the plug-in, by their control ids
// (objectName), with the mouse and the keyboard as the analyst would.
#include <QString>
#include <QStringList>

#include <functional>

class QDialog;
class QListWidget;
class QTableWidget;
class QWidget;

namespace driver {

QWidget* control(const QWidget* parent, int id);          // direct child with this id
QTableWidget* list(const QWidget* parent, int id);        // a grid, searched below `parent`
QWidget* tabControl(const QDialog* window);
QWidget* page(const QDialog* window, int templateId);     // "page115", ...
QListWidget* messages(const QDialog* window);
QTableWidget* assayList(const QDialog* window);

QStringList column(const QTableWidget* grid, int column);
QStringList row(const QTableWidget* grid, int row);
QStringList titles(const QTableWidget* grid);
QStringList lines(const QListWidget* list);
QStringList selectedRows(const QTableWidget* grid);  // "№" of every selected row

void click(QWidget* parent, int buttonId);
// A click on a row of the grid, with the keys held.
void clickRow(QTableWidget* grid, int row, Qt::KeyboardModifiers keys = Qt::NoModifier);
void selectTab(const QDialog* window, int index);

// Runs `answer` on the next modal dialog as soon as it is open (the command that opens it blocks
// until it is closed); `answer` must close it.
void answerNextModal(std::function<void(QWidget* dialog)> answer);

} // namespace driver
