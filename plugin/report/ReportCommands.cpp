#include "report/ReportCommands.h"

#include "platform/Format.h"
#include "platform/Paths.h"
#include "report/HtmlReport.h"
#include "report/LocalDateTime.h"
#include "report/ReportUserInterface.h"

#include <optional>

namespace {

void showUnexpectedFailure(ReportUserInterface& ui)
{
    try {
        ui.showError(u"Не удалось создать отчёт.\nUnknown failure.");
    } catch (const std::exception&) {
        // The message box itself failed (memory); there is nobody left to tell.
    }
}

} // namespace

void showReport(const AssayMap& assays, const CalculationResult& result, bool hideNotFound, ReportUserInterface& ui)
{
    try {
        HtmlReport report(assays, result, true, hideNotFound, ui);
    } catch (...) {
        // Any exception at all, of whatever type: the report ends here as a failed report and
        // never reaches the window's command as something else.
        showUnexpectedFailure(ui);
    }
}

void saveReport(const AssayMap& assays, const CalculationResult& result, bool hideNotFound, ReportUserInterface& ui)
{
    try {
        HtmlReport report(assays, result, false, hideNotFound, ui);
        if (report.outputPath().empty())
            return;
        SaveReportRequest request;
        request.suggestedName = suggestedReportFileName(currentTimeSeconds());
        request.defaultExtension = u"html";
        request.filter = u"HTML-файлы (*.html)|*.html|Все файлы (*.*)|*.*||";
        const std::optional<std::u16string> target = ui.askSavePath(request);
        if (!target)
            return;
        if (!platform::copyFileReplace(report.outputPath(), *target))
            ui.showError(u"Не удалось сохранить отчет.");
    } catch (...) {
        // As for showing: whatever was thrown, the save ends here as a failed report.
        showUnexpectedFailure(ui);
    }
}

std::u16string suggestedReportFileName(int64_t secondsSince1970)
{
    const std::optional<LocalCalendarTime> local = toLocalCalendarTime(secondsSince1970);
    const int year = local ? local->year : 0;
    const int month = local ? local->month : 0;
    const int day = local ? local->day : 0;
    return platform::format(u"Отчет_vexol_%04d-%02d-%02d.html", {year, month, day});
}
