#include "MainWindowFactory.h"

#include "ui/DlgMain.h"

#include <QCoreApplication>
#include <QPointer>

namespace {

// Holds the window through a guarded pointer: the host window owns it as a Qt child and may
// delete it first when the host shuts down. Deleting needs a running Qt, which a library unloaded
// after the application has ended no longer has.
class DlgMainWindow : public host::MainWindow {
public:
    explicit DlgMainWindow(ui::DlgMain* dialog) : dialog_(dialog) {}
    ~DlgMainWindow() override
    {
        if (dialog_ && QCoreApplication::instance())
            delete dialog_.data();
    }
    void showNormalActivated() override
    {
        if (!dialog_)
            return;
        dialog_->showNormal();
        dialog_->raise();
        dialog_->activateWindow();
    }

private:
    QPointer<ui::DlgMain> dialog_;
};

} // namespace

std::unique_ptr<host::MainWindow> createMainWindow(intptr_t hostWindow)
{
    auto* dialog = new ui::DlgMain(reinterpret_cast<QWidget*>(hostWindow));
    return std::make_unique<DlgMainWindow>(dialog);
}
