#include "ui/QtReportUserInterface.h"

#include "platform/qt/DesktopOpener.h"
#include "platform/qt/MessageBoxes.h"
#include "resources/ResourceModule.h"
#include "ui/UiText.h"

#include <QFileDialog>

namespace ui {

void QtReportUserInterface::showError(const std::u16string& text)
{
    platform::messageBoxes().show(owner_, toQString(text), QStringLiteral("Dvinar"), platform::MessageBoxIcon::Error,
                                  platform::MessageBoxButtons::Ok);
}

QString QtReportUserInterface::qtFilter(const std::u16string& filter)
{
    const QStringList parts = toQString(filter).split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString& description = parts[i];
        if (description.isEmpty())
            break;
        QString pattern = parts[i + 1];
        pattern.replace(QLatin1Char(';'), QLatin1Char(' '));
        filters << (description.contains(QLatin1Char('(')) ? description
                                                            : description + QStringLiteral(" (") + pattern + QLatin1Char(')'));
    }
    return filters.join(QStringLiteral(";;"));
}

std::optional<std::u16string> QtReportUserInterface::askSavePath(const SaveReportRequest& request)
{
    QFileDialog dialog(owner_);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(qtFilter(request.filter));
    dialog.setDefaultSuffix(toQString(request.defaultExtension));
    dialog.selectFile(toQString(request.suggestedName));
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.overwritePrompt);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().first().toStdU16String();
}

void QtReportUserInterface::openWithShell(const std::u16string& path)
{
    if (platform::openWithDesktop(toQString(path)))
        return;
    // The report is written all the same; without the path the analyst could not find it.
    const QString text = resources::resourceModule().usesLanguageLibrary()
                             ? QStringLiteral("The report could not be opened in a viewer.\nThe report is in the file:\n%1")
                             : QStringLiteral("Не удалось открыть отчёт программой просмотра.\nОтчёт сохранён в файле:\n%1");
    platform::messageBoxes().show(owner_, text.arg(toQString(path)), QStringLiteral("Dvinar"),
                                  platform::MessageBoxIcon::Warning, platform::MessageBoxButtons::Ok);
}

} // namespace ui
