#pragma once
// The report commands' dialogs with Qt: the error box, the Save As dialog and the desktop's
// viewer. Owned by the main window, whose window owns the boxes.
#include "report/ReportUserInterface.h"

#include <QPointer>
#include <QString>

class QWidget;

namespace ui {

class QtReportUserInterface : public ReportUserInterface {
public:
    explicit QtReportUserInterface(QWidget* owner) : owner_(owner) {}

    void showError(const std::u16string& text) override;
    std::optional<std::u16string> askSavePath(const SaveReportRequest& request) override;
    // When the desktop cannot open the report, a box names its file, in selectable text.
    void openWithShell(const std::u16string& path) override;

    // "HTML|*.html|Все|*.*||" -> "HTML (*.html);;Все (*.*)": the file dialog reads the patterns
    // from the parentheses.
    static QString qtFilter(const std::u16string& filter);

private:
    QPointer<QWidget> owner_;
};

} // namespace ui
