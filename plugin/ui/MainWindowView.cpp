#include "ui/MainWindowView.h"

#include "report/ReportUserInterface.h"
#include "ui/CalculationTab.h"
#include "ui/ComponentsTab.h"
#include "ui/DlgMain.h"
#include "ui/GradTab.h"
#include "ui/IdentTab.h"
#include "ui/MessagesTab.h"
#include "ui/UiText.h"
#include "ui/controls/CGridCtrl.h"
#include "ui/controls/RecordRows.h"

#include <QItemSelectionModel>

#include <memory>
#include <set>

namespace ui {

int MainWindowView::assayRowCount() const
{
    const controls::CGridCtrl* list = window_.assayList();
    return list ? list->rowCount() : 0;
}

int MainWindowView::appendAssayRow(const host::AssayListRow& row)
{
    controls::CGridCtrl* list = window_.assayList();
    if (!list)
        return -1;
    const int index = list->appendRow();
    if (index < 0)
        return index;
    if (controls::GridRowData* data = list->rowData(index))
        data->userData = row.assayId;
    list->setCellText(index, 0, toQString(row.number));
    list->setCellText(index, 1, toQString(row.fileName));
    list->setCellText(index, 2, toQString(row.sample));
    list->setCellText(index, 3, toQString(row.mixture));
    list->setCellText(index, 4, toQString(row.type));
    return index;
}

void MainWindowView::appendAssayRows(const std::vector<host::AssayListRow>& rows)
{
    controls::CGridCtrl* list = window_.assayList();
    if (!list || rows.empty())
        return;
    const int first = list->rowCount();
    list->appendRowsFrom(std::make_unique<controls::RecordRows<host::AssayListRow>>(
        rows, [](const host::AssayListRow& row, int, std::vector<QString>& cells) {
            controls::setCell(cells, 0, toQString(row.number));
            controls::setCell(cells, 1, toQString(row.fileName));
            controls::setCell(cells, 2, toQString(row.sample));
            controls::setCell(cells, 3, toQString(row.mixture));
            controls::setCell(cells, 4, toQString(row.type));
        }));
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (controls::GridRowData* data = list->rowData(first + static_cast<int>(i)))
            data->userData = rows[i].assayId;
}

void MainWindowView::deleteAllAssayRows()
{
    if (controls::CGridCtrl* list = window_.assayList())
        list->deleteAllRows();
}

std::vector<int> MainWindowView::selectedAssayRows() const
{
    const controls::CGridCtrl* list = window_.assayList();
    if (!list)
        return {};
    std::set<int> rows;
    for (const QModelIndex& index : list->selectionModel()->selectedRows())
        rows.insert(index.row());
    return {rows.begin(), rows.end()};
}

int32_t MainWindowView::assayRowUserData(int row) const
{
    const controls::CGridCtrl* list = window_.assayList();
    const controls::GridRowData* data = list ? list->rowData(row) : nullptr;
    return data ? data->userData : 0;
}

void MainWindowView::clearAssaySelection()
{
    if (controls::CGridCtrl* list = window_.assayList())
        list->clearSelection();
}

void MainWindowView::selectAndFocusAssayRow(int row)
{
    controls::CGridCtrl* list = window_.assayList();
    if (!list || row < 0 || row >= list->rowCount())
        return;
    const QModelIndex index = list->model()->index(row, 0);
    list->selectionModel()->select(index, QItemSelectionModel::Select | QItemSelectionModel::Rows);
    list->selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
}

void MainWindowView::scrollAssayRowIntoView(int row)
{
    controls::CGridCtrl* list = window_.assayList();
    if (!list || row < 0 || row >= list->rowCount())
        return;
    list->scrollTo(list->model()->index(row, 0), QAbstractItemView::EnsureVisible);
}

void MainWindowView::emptyChannelLists()
{
    if (ComponentsTab* tab = window_.componentsTab())
        tab->emptyLists();
}

void MainWindowView::fillChannelList(int list, const PeakList& peaks)
{
    if (ComponentsTab* tab = window_.componentsTab())
        tab->fillList(list == 0 ? ComponentsTab::kChannel1List : ComponentsTab::kChannel2List, peaks);
}

void MainWindowView::fillIdentification(const IdentificationList& rows, bool hasCalibration)
{
    if (IdentTab* tab = window_.identTab())
        tab->fill(rows, hasCalibration);
}

void MainWindowView::emptyIdentification()
{
    if (IdentTab* tab = window_.identTab())
        tab->empty();
}

void MainWindowView::showCalibration(const std::vector<CalibrationRow>& rows)
{
    if (GradTab* tab = window_.gradTab())
        tab->refresh(rows);
}

void MainWindowView::showQuantitation(const std::vector<QuantitationRow>& rows)
{
    if (CalculationTab* tab = window_.calculationTab())
        tab->fill(rows);
}

void MainWindowView::emptyMessagesList()
{
    if (MessagesTab* tab = window_.messagesTab())
        tab->emptyList();
}

void MainWindowView::fillMessagesList(const MessageLog& log)
{
    if (MessagesTab* tab = window_.messagesTab())
        tab->showLog(log);
}

void MainWindowView::showErrorBox(const std::u16string& text)
{
    dialogs_->showError(text);
}

} // namespace ui
