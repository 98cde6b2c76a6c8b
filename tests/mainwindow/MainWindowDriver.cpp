#include "MainWindowDriver.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QListView>
#include <QTabBar>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include <memory>

namespace driver {

QWidget* control(const QWidget* parent, int id)
{
    return parent ? parent->findChild<QWidget*>(QString::number(id), Qt::FindDirectChildrenOnly) : nullptr;
}

QTableView* list(const QWidget* parent, int id)
{
    return parent ? parent->findChild<QTableView*>(QString::number(id)) : nullptr;
}

QWidget* tabControl(const QDialog* window) { return control(window, 1012); }

QWidget* page(const QDialog* window, int templateId)
{
    QWidget* tabs = tabControl(window);
    return tabs ? tabs->findChild<QWidget*>(QStringLiteral("page%1").arg(templateId), Qt::FindDirectChildrenOnly)
                : nullptr;
}

QListView* messages(const QDialog* window)
{
    QWidget* messagesPage = page(window, 136);
    return messagesPage ? messagesPage->findChild<QListView*>(QStringLiteral("1027")) : nullptr;
}

QTableView* assayList(const QDialog* window) { return qobject_cast<QTableView*>(control(window, 1010)); }

QString cellText(const QTableView* grid, int r, int c)
{
    return grid ? grid->model()->index(r, c).data().toString() : QString();
}

QStringList column(const QTableView* grid, int c)
{
    QStringList texts;
    for (int r = 0; grid && r < grid->model()->rowCount(); ++r)
        texts << cellText(grid, r, c);
    return texts;
}

QStringList row(const QTableView* grid, int r)
{
    QStringList texts;
    for (int c = 0; grid && c < grid->model()->columnCount(); ++c)
        texts << cellText(grid, r, c);
    return texts;
}

QStringList titles(const QTableView* grid)
{
    QStringList texts;
    for (int c = 0; grid && c < grid->model()->columnCount(); ++c)
        texts << grid->model()->headerData(c, Qt::Horizontal).toString();
    return texts;
}

QStringList lines(const QListView* list)
{
    QStringList texts;
    const QAbstractItemModel* model = list ? list->model() : nullptr;
    for (int i = 0; model && i < model->rowCount(); ++i)
        texts << model->index(i, 0).data().toString();
    return texts;
}

QStringList selectedRows(const QTableView* grid)
{
    QStringList numbers;
    for (int r = 0; grid && r < grid->model()->rowCount(); ++r)
        if (grid->selectionModel()->isRowSelected(r, QModelIndex()))
            numbers << cellText(grid, r, 0);
    return numbers;
}

void click(QWidget* parent, int buttonId)
{
    if (auto* button = qobject_cast<QAbstractButton*>(control(parent, buttonId)))
        button->click();
}

void clickRow(QTableView* grid, int r, Qt::KeyboardModifiers keys)
{
    grid->scrollTo(grid->model()->index(r, 0));
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
