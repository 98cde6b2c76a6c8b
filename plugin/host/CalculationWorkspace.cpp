#include "host/CalculationWorkspace.h"

#include "engine/Calculation.h"
#include "engine/ComponentTable.h"
#include "engine/MessageLog.h"
#include "host/AssayAdding.h"
#include "host/HostBus.h"
#include "host/SettingsStore.h"
#include "host/WorkspaceView.h"
#include "input/Connection.h"
#include "input/SqlException.h"
#include "platform/Format.h"
#include "platform/Paths.h"
#include "resources/ResourceModule.h"

#include <memory>
#include <string>
#include <vector>

namespace host {

namespace {

// String resources of the assay list's type column.
constexpr int analysisTypeString = 119;     // "Анализ"
constexpr int calibrationTypeString = 120;  // "Градуировка"

// The per-channel tab shows the first two channel tables only.
constexpr int channelListCount = 2;

ComponentList readComponents()
{
    ComponentList components;
    // A table that cannot be read leaves the sequence the reader delivered; the pass runs with it
    // and reports what is missing in the message log.
    ComponentTable::load(components);
    return components;
}

// The texts of the assay list's row for an assay; `number` is its "№".
AssayListRow assayListRow(int32_t id, const AssayRecord& record, int number)
{
    AssayListRow row;
    row.assayId = id;
    row.number = platform::format(u"%d", {number});
    row.fileName = platform::fileNamePart(record.fileName);
    row.sample = record.sample;
    row.mixture = record.mixture;
    row.type = resources::resourceModule().loadString(record.isCalibration ? calibrationTypeString : analysisTypeString);
    return row;
}

} // namespace

void CalculationWorkspace::addFromHost()
{
    if (hostDialogOpen_)
        return;

    std::vector<int32_t> ids(assayIdCapacity, 0);
    hostDialogOpen_ = true;
    const intptr_t answer = callCommand("Main/OpenAssayIdDlg", assayIdCapacity, reinterpret_cast<intptr_t>(ids.data()));
    hostDialogOpen_ = false;

    const int32_t count = chosenIdCount(answer);
    if (count == 0)
        return;
    ids.resize(static_cast<std::size_t>(count));

    std::vector<UnreadChromatogram> unread;
    std::u16string failure;
    {
        // The connection serves every id of this choice and is closed once the tabs are refreshed.
        std::unique_ptr<DataBase::Connection> connection;
        try {
            connection = std::make_unique<DataBase::Connection>(DataBase::Connection::hostConnectionString());
            loadNewAssays(*connection, ids, assays_, unread,
                          [this](int32_t id, const AssayRecord& record, int32_t) { appendRow(id, record); });
        } catch (const DataBase::SqlException& exception) {
            // The assays loaded before the failure stay, with their rows; the rest of the choice is
            // dropped. Close at once: the connection may be the very thing that failed.
            connection.reset();
            failure = databaseFailureText(exception);
        }
        selectAndScrollToLastRow();
        recalculate();
    }

    // One box for the whole choice, shown once the list and the tabs are up to date behind it.
    std::u16string text = failure;
    const std::u16string unreadText = unreadChromatogramsText(unread);
    if (!unreadText.empty())
        text += (text.empty() ? u"" : u"\n\n") + unreadText;
    if (!text.empty() && view_)
        view_->showErrorBox(text);
}

void CalculationWorkspace::openInHost()
{
    if (!view_)
        return;
    for (int row : view_->selectedAssayRows()) {
        auto found = assays_.find(view_->assayRowUserData(row));
        if (found == assays_.end())
            continue;
        // The host reads the path during the call only.
        callCommand("Main/OpenAssayFile", 1, reinterpret_cast<intptr_t>(found->second.fileName.c_str()));
    }
}

void CalculationWorkspace::removeAssays()
{
    if (!view_)
        return;
    const std::vector<int> selected = view_->selectedAssayRows();
    if (selected.empty())
        return;
    for (int row : selected)
        assays_.erase(view_->assayRowUserData(row));

    // The list is refilled in one step: one notification of the view for all the rows.
    view_->deleteAllAssayRows();
    std::vector<AssayListRow> rows;
    rows.reserve(assays_.size());
    for (const auto& [id, record] : assays_)
        rows.push_back(assayListRow(id, record, static_cast<int>(rows.size()) + 1));
    view_->appendAssayRows(rows);
    emptyPerAssayTabs();
    recalculate();
}

void CalculationWorkspace::removeAll()
{
    assays_.clear();
    if (view_)
        view_->deleteAllAssayRows();
    emptyPerAssayTabs();
    recalculate();
}

void CalculationWorkspace::recalculate(std::optional<int> row)
{
    clearMessages();
    const ComponentList components = readComponents();
    const PluginSettings settings = readPluginSettings();
    const CalculationResult result = runCalculation(assays_, components, settings);
    if (view_) {
        view_->showCalibration(result.calibration);
        view_->showQuantitation(result.quantitation);
        showSelectedAssay(row, result);
    }
    showMessages();
}

ReportCalculation CalculationWorkspace::calculateForReport()
{
    const ComponentList components = readComponents();
    ReportCalculation calculation;
    calculation.settings = readPluginSettings();
    clearMessages();
    calculation.result = runCalculation(assays_, components, calculation.settings);
    showMessages();
    return calculation;
}

void CalculationWorkspace::appendRow(int32_t id, const AssayRecord& record)
{
    if (!view_)
        return;
    view_->appendAssayRow(assayListRow(id, record, view_->assayRowCount() + 1));
}

void CalculationWorkspace::emptyPerAssayTabs()
{
    if (!view_)
        return;
    view_->emptyChannelLists();
    view_->emptyIdentification();
}

void CalculationWorkspace::clearMessages()
{
    // The messages tab owns the log; while it does not exist there is nothing to clear.
    MessageLog* log = theMessageLog();
    if (!log)
        return;
    if (view_)
        view_->emptyMessagesList();
    log->clear();
}

void CalculationWorkspace::showMessages()
{
    MessageLog* log = theMessageLog();
    if (!log || !view_)
        return;
    view_->fillMessagesList(*log);
}

void CalculationWorkspace::showSelectedAssay(std::optional<int> row, const CalculationResult& result)
{
    if (!row) {
        const std::vector<int> selected = view_->selectedAssayRows();
        if (!selected.empty())
            row = selected.front();
    }
    const AssayRecord* record = nullptr;
    int32_t id = 0;
    if (row && *row >= 0 && *row < view_->assayRowCount()) {
        id = view_->assayRowUserData(*row);
        auto found = assays_.find(id);
        if (found != assays_.end())
            record = &found->second;
    }
    if (!record) {
        emptyPerAssayTabs();
        return;
    }

    view_->emptyChannelLists();
    int list = 0;
    for (const auto& [channel, peaks] : record->channelPeaks) {
        if (list == channelListCount)
            break;
        view_->fillChannelList(list++, peaks);
    }

    auto rows = result.identification.find(id);
    if (rows != result.identification.end())
        view_->fillIdentification(rows->second, result.hasCalibration);
    else
        view_->emptyIdentification();
}

void CalculationWorkspace::selectAndScrollToLastRow()
{
    if (!view_)
        return;
    const int count = view_->assayRowCount();
    view_->clearAssaySelection();
    if (count > 0) {
        view_->selectAndFocusAssayRow(count - 1);
        view_->scrollAssayRowIntoView(count - 1);
    }
    view_->clearAssaySelection();
}

} // namespace host
