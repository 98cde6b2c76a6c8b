#include "ui/QtReportUserInterface.h"

#include "platform/qt/MessageBoxes.h"
#include "ui/UiText.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QUrl>

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
    QDesktopServices::openUrl(QUrl::fromLocalFile(toQString(path)));
}

} // namespace ui
