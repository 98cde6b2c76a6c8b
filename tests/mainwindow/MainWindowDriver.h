#pragma once
// Finding and working the main window's controls from outside the plug-in, by their control ids
// (objectName), with the mouse and the keyboard as the analyst would.
#include <QString>
#include <QStringList>

#include <functional>

class QDialog;
class QListView;
class QWidget;

class QTableView;

namespace driver {

QWidget* control(const QWidget* parent, int id);          // direct child with this id
QTableView* list(const QWidget* parent, int id);  // a grid, searched below `parent`
QWidget* tabControl(const QDialog* window);
QWidget* page(const QDialog* window, int templateId);     // "page115", ...
QListView* messages(const QDialog* window);
QTableView* assayList(const QDialog* window);

QStringList column(const QTableView* grid, int column);
QStringList row(const QTableView* grid, int row);
QStringList titles(const QTableView* grid);
QStringList lines(const QListView* list);
QString cellText(const QTableView* grid, int row, int column);
QStringList selectedRows(const QTableView* grid);  // "№" of every selected row

void click(QWidget* parent, int buttonId);
// A click on a row of the grid, with the keys held.
void clickRow(QTableView* grid, int row, Qt::KeyboardModifiers keys = Qt::NoModifier);
void selectTab(const QDialog* window, int index);

// Runs `answer` on the next modal dialog as soon as it is open (the command that opens it blocks
// until it is closed); `answer` must close it.
void answerNextModal(std::function<void(QWidget* dialog)> answer);

} // namespace driver
