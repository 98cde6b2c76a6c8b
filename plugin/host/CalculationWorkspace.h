#pragma once
// The model behind the main window: the assays the analyst has chosen, and the recalculation
// pipeline that turns them, with the component table and the settings, into what the tabs show.
// Nothing is cached: every run reads the component table from its file and the settings from the
// host profile, and runs the whole calculation pass again.
#include "engine/CalculationResult.h"
#include "engine/PluginSettings.h"
#include "input/AssayRecord.h"

#include <optional>

namespace host {

class WorkspaceView;

// What the report commands get from calculateForReport().
struct ReportCalculation {
    CalculationResult result;
    PluginSettings settings;
};

class CalculationWorkspace {
public:
    // `view` is the main window's side; without one the pipeline runs and shows nothing.
    explicit CalculationWorkspace(WorkspaceView* view = nullptr) : view_(view) {}
    CalculationWorkspace(const CalculationWorkspace&) = delete;
    CalculationWorkspace& operator=(const CalculationWorkspace&) = delete;

    void setView(WorkspaceView* view) { view_ = view; }

    const AssayMap& assays() const { return assays_; }
    bool hostDialogOpen() const { return hostDialogOpen_; }

    // "Добавить хроматограммы": asks the host's assay dialog for ids, loads the new ones, appends
    // their rows and recalculates. A database failure or an unreadable chromatogram file is shown
    // in one message box once the adding is over; nothing escapes.
    void addFromHost();
    // "Открыть хроматограмму": asks the host to open the file of every selected row.
    void openInHost();
    // "Удалить хроматограмму": removes the assays of the selected rows.
    void removeAssays();
    // "Удалить все хроматограммы".
    void removeAll();

    // The pipeline. `row` is the assay list row whose assay the per-assay tabs show; without one
    // the first selected row is taken.
    void recalculate(std::optional<int> row = std::nullopt);

    // The calculation the two report commands run first; of the tabs, only the messages list is
    // refreshed.
    ReportCalculation calculateForReport();

private:
    void appendRow(int32_t id, const AssayRecord& record);
    void emptyPerAssayTabs();
    void clearMessages();
    void showMessages();
    void showSelectedAssay(std::optional<int> row, const CalculationResult& result);
    void selectAndScrollToLastRow();

    WorkspaceView* view_ = nullptr;
    AssayMap assays_;
    bool hostDialogOpen_ = false;
};

} // namespace host
