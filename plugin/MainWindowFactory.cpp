#include "MainWindowFactory.h"

#include "resources/ResourceModule.h"

#include <QCoreApplication>
#include <QDialog>
#include <QLabel>
#include <QPointer>
#include <QVBoxLayout>

namespace {

// Holds the dialog through a guarded pointer: the host window owns it as a Qt child and may
// delete it first when the host shuts down.
class DialogMainWindow : public host::MainWindow {
public:
    explicit DialogMainWindow(QDialog* dialog) : dialog_(dialog) {}
    ~DialogMainWindow() override
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
    QPointer<QDialog> dialog_;
};

} // namespace

std::unique_ptr<host::MainWindow> createMainWindow(intptr_t hostWindow)
{
    auto* parent = reinterpret_cast<QWidget*>(hostWindow);
    auto* dialog = new QDialog(parent);
    dialog->setObjectName(QStringLiteral("DlgMain"));
    dialog->setWindowTitle(QStringLiteral("Dvinar"));
    dialog->setModal(false);
    dialog->setMinimumSize(975, 520);
    auto* layout = new QVBoxLayout(dialog);
    layout->addWidget(new QLabel(QString::fromStdU16String(resources::resourceModule().loadString(104)), dialog));
    return std::make_unique<DialogMainWindow>(dialog);
}
