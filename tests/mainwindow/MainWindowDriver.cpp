#include "MainWindowDriver.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QListWidget>
#include <QTabBar>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include <memory>

namespace driver {

QWidget* control(const QWidget* parent, int id)
{
    return parent ? parent->findChild<QWidget*>(QString::number(id), Qt::FindDirectChildrenOnly) : nullptr;
}

QTableWidget* list(const QWidget* parent, int id)
{
    return parent ? parent->findChild<QTableWidget*>(QString::number(id)) : nullptr;
}

QWidget* tabControl(const QDialog* window) { return control(window, 1012); }

QWidget* page(const QDialog* window, int templateId)
{
    QWidget* tabs = tabControl(window);
    return tabs ? tabs->findChild<QWidget*>(QStringLiteral("page%1").arg(templateId), Qt::FindDirectChildrenOnly)
                : nullptr;
}

QListWidget* messages(const QDialog* window)
{
    QWidget* messagesPage = page(window, 136);
    return messagesPage ? messagesPage->findChild<QListWidget*>(QStringLiteral("1027")) : nullptr;
}

QTableWidget* assayList(const QDialog* window) { return qobject_cast<QTableWidget*>(control(window, 1010)); }

QStringList column(const QTableWidget* grid, int c)
{
    QStringList texts;
    for (int r = 0; grid && r < grid->rowCount(); ++r)
        texts << (grid->item(r, c) ? grid->item(r, c)->text() : QString());
    return texts;
}

QStringList row(const QTableWidget* grid, int r)
{
    QStringList texts;
    for (int c = 0; grid && c < grid->columnCount(); ++c)
        texts << (grid->item(r, c) ? grid->item(r, c)->text() : QString());
    return texts;
}

QStringList titles(const QTableWidget* grid)
{
    QStringList texts;
    for (int c = 0; grid && c < grid->columnCount(); ++c)
        texts << grid->horizontalHeaderItem(c)->text();
    return texts;
}

QStringList lines(const QListWidget* list)
{
    QStringList texts;
    for (int i = 0; list && i < list->count(); ++i)
        texts << list->item(i)->text();
    return texts;
}

QStringList selectedRows(const QTableWidget* grid)
{
    QStringList numbers;
    for (int r = 0; grid && r < grid->rowCount(); ++r)
        if (grid->selectionModel()->isRowSelected(r, QModelIndex()))
            numbers << grid->item(r, 0)->text();
    return numbers;
}

void click(QWidget* parent, int buttonId)
{
    if (auto* button = qobject_cast<QAbstractButton*>(control(parent, buttonId)))
        button->click();
}

void clickRow(QTableWidget* grid, int r, Qt::KeyboardModifiers keys)
{
    grid->scrollToItem(grid->item(r, 0));
    const QRect cell = grid->visualRect(grid->model()->index(r, 1));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, keys, cell.center());
}

void selectTab(const QDialog* window, int index)
{
    if (QWidget* tabs = tabControl(window))
        if (auto* bar = tabs->findChild<QTabBar*>())
            bar->setCurrentIndex(index);
}

void answerNextModal(std::function<void(QWidget* dialog)> answer)
{
    auto* timer = new QTimer(qApp);
    auto pending = std::make_shared<std::function<void(QWidget*)>>(std::move(answer));
    QObject::connect(timer, &QTimer::timeout, timer, [timer, pending] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        timer->stop();
        timer->deleteLater();
        (*pending)(modal);
    });
    timer->start(10);
}

} // namespace driver
