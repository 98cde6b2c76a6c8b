#pragma once
// What the main window's buttons and its assay list do: the workspace's operations, the report
// commands and the dialogs. Each command is the top of a user action, so nothing it raises goes
// further: an unexpected failure ends in one message box.
#include "host/CalculationWorkspace.h"
#include "ui/MainWindowView.h"
#include "ui/QtReportUserInterface.h"

#include <optional>

namespace ui {

class DlgMain;

class MainWindowCommands {
public:
    explicit MainWindowCommands(DlgMain& window);
    ~MainWindowCommands();

    host::CalculationWorkspace& workspace() { return workspace_; }

    // The message boxes, the Save As dialog and the desktop's viewer; tests answer them.
    void setDialogs(ReportUserInterface* dialogs);

    void addFromHost();
    void removeAssays();
    void removeAll();
    void openInHost();
    // The components and the settings dialogs change what the calculation reads, so the
    // workspace recalculates when they close, whether saved or cancelled.
    void editComponents();
    void editSettings();
    void showAbout();
    void showReport();
    void saveReport();
    // Runs the pipeline for a row of the assay list, or for the selection when none is given.
    void recalculate(std::optional<int> row);

private:
    template <class Command>
    void guarded(Command&& command);

    DlgMain& window_;
    QtReportUserInterface qtDialogs_;
    ReportUserInterface* dialogs_;
    MainWindowView view_;
    host::CalculationWorkspace workspace_;
};

} // namespace ui
