#include "ui/MainWindowCommands.h"

#include "report/ReportCommands.h"
#include "ui/DialogBuilder.h"
#include "ui/DlgAbout.h"
#include "ui/DlgMain.h"
#include "ui/DlgSettings.h"
#include "ui/GridControls.h"
#include "ui/UiText.h"

#include <QPushButton>

#include <exception>
#include <new>

namespace ui {

namespace {

constexpr int kComponentsTemplate = 117;

// The components dialog as its template gives it, for as long as the table editor is not part
// of the window: it opens and closes like the editor and changes nothing.
void showComponentsTemplate(QWidget* owner)
{
    QDialog dialog(owner);
    if (const resources::DialogTemplate* components = dialogTemplate(kComponentsTemplate)) {
        DialogBuilder builder(*components);
        builder.setWidgetFactory(gridForListViews());
        builder.build(&dialog);
    }
    if (auto* save = findControlAs<QPushButton>(&dialog, 1))
        QObject::connect(save, &QPushButton::clicked, &dialog, &QDialog::accept);
    if (auto* cancel = findControlAs<QPushButton>(&dialog, 2))
        QObject::connect(cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
    dialog.exec();
}

} // namespace

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
    try {
        command();
    } catch (const std::bad_alloc&) {
        dialogs_->showError(u"Недостаточно памяти для выполнения команды.");
    } catch (const std::exception& failure) {
        dialogs_->showError(u"Команда не выполнена: " + QString::fromUtf8(failure.what()).toStdU16String());
    } catch (...) {
        dialogs_->showError(u"Команда не выполнена из-за непредвиденной ошибки.");
    }
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
    guarded([this] { showComponentsTemplate(&window_); });
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
