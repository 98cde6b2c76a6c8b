#include "ui/MainWindowCommands.h"

#include "report/ReportCommands.h"
#include "ui/CommandGuard.h"
#include "ui/DlgAbout.h"
#include "ui/DlgComponents.h"
#include "ui/DlgMain.h"
#include "ui/DlgSettings.h"
#include "ui/UiText.h"


#include <exception>
#include <new>

namespace ui {

MainWindowCommands::MainWindowCommands(DlgMain& window)
    : window_(window), qtDialogs_(&window), dialogs_(&qtDialogs_), view_(window, qtDialogs_), workspace_(&view_)
{
}

// The workspace must not reach the view while the window takes its widgets down.
MainWindowCommands::~MainWindowCommands() { workspace_.setView(nullptr); }

void MainWindowCommands::setDialogs(ReportUserInterface* dialogs)
{
    dialogs_ = dialogs ? dialogs : &qtDialogs_;
    view_.setDialogs(*dialogs_);
}

template <class Command>
void MainWindowCommands::guarded(Command&& command)
{
    runCommandGuarded(command, [this](const std::u16string& message) { dialogs_->showError(message); });
}

void MainWindowCommands::addFromHost()
{
    guarded([this] { workspace_.addFromHost(); });
}

void MainWindowCommands::removeAssays()
{
    guarded([this] { workspace_.removeAssays(); });
}

void MainWindowCommands::removeAll()
{
    guarded([this] { workspace_.removeAll(); });
}

void MainWindowCommands::openInHost()
{
    guarded([this] { workspace_.openInHost(); });
}

void MainWindowCommands::recalculate(std::optional<int> row)
{
    guarded([this, row] { workspace_.recalculate(row); });
}

void MainWindowCommands::editComponents()
{
    guarded([this] {
        DlgComponents dialog(&window_);
        dialog.exec();
    });
    recalculate(std::nullopt);
}

void MainWindowCommands::editSettings()
{
    guarded([this] {
        DlgSettings dialog(&window_);
        dialog.exec();
    });
    recalculate(std::nullopt);
}

void MainWindowCommands::showAbout()
{
    guarded([] {
        DlgAbout dialog(nullptr);
        dialog.exec();
    });
}

void MainWindowCommands::showReport()
{
    guarded([this] {
        const host::ReportCalculation calculation = workspace_.calculateForReport();
        ::showReport(workspace_.assays(), calculation.result, calculation.settings.hideNotFound, *dialogs_);
    });
}

void MainWindowCommands::saveReport()
{
    guarded([this] {
        const host::ReportCalculation calculation = workspace_.calculateForReport();
        ::saveReport(workspace_.assays(), calculation.result, calculation.settings.hideNotFound, *dialogs_);
    });
}

} // namespace ui
