#pragma once
// What the report commands need from the user interface: a message box with the error icon, the
// Save As dialog and opening a file in the desktop's viewer. The windows implement it with Qt;
// tests and the headless front end answer it themselves.
#include <optional>
#include <string>

// The Save As dialog of the save command.
struct SaveReportRequest {
    std::u16string suggestedName;     // "Отчет_vexol_2024-12-31.html"
    std::u16string defaultExtension;  // "html"
    // Pairs of description and pattern, each ended by "|", the list ended by another "|".
    std::u16string filter;
    bool hideReadOnly = true;
    bool overwritePrompt = true;      // ask before replacing an existing file
};

class ReportUserInterface {
public:
    virtual ~ReportUserInterface() = default;
    // A modal message box with the error icon, owned by the main window.
    virtual void showError(const std::u16string& text) = 0;
    // The chosen full path, or nothing when the analyst cancelled.
    virtual std::optional<std::u16string> askSavePath(const SaveReportRequest& request) = 0;
    // Opens the file in the desktop's viewer for its type; the outcome is not reported.
    virtual void openWithShell(const std::u16string& path) = 0;
};
