#pragma once
// How the calculation workspace reaches the main window: its assay list and its result tabs. The
// workspace decides what is shown and when; the window only puts it on screen. Keeping the
// workspace behind this interface keeps the host layer free of widgets, and lets the pipeline run
// against a recording view in tests.
#include "engine/CalculationResult.h"
#include "engine/MessageLog.h"
#include "input/AssayRecord.h"

#include <cstdint>
#include <string>
#include <vector>

namespace host {

// The texts of one row of the assay list, column by column, and the assay id the row carries in
// its userData.
struct AssayListRow {
    int32_t assayId = 0;
    std::u16string number;    // "№": the row's index + 1 when it was appended
    std::u16string fileName;  // the file-name part of the chromatogram's path
    std::u16string sample;
    std::u16string mixture;
    std::u16string type;      // "Градуировка" or "Анализ"
};

class WorkspaceView {
public:
    virtual ~WorkspaceView() = default;

    // The assay list. Rows are appended at the end and removed all at once.
    virtual int assayRowCount() const = 0;
    // Appends a row with these texts and the id in its userData; returns its index.
    virtual int appendAssayRow(const AssayListRow& row) = 0;
    // Appends these rows in order, as appendAssayRow() does one; a view that can takes them in
    // one step.
    virtual void appendAssayRows(const std::vector<AssayListRow>& rows)
    {
        for (const AssayListRow& row : rows)
            appendAssayRow(row);
    }
    virtual void deleteAllAssayRows() = 0;
    // The selected rows, from the top.
    virtual std::vector<int> selectedAssayRows() const = 0;
    virtual int32_t assayRowUserData(int row) const = 0;
    // Removes the selected and focused states from every selected row.
    virtual void clearAssaySelection() = 0;
    // Gives the row the selected and focused states. The list announces a newly selected row
    // (GN_SELCHANGED), and the window answers by recalculating for that row.
    virtual void selectAndFocusAssayRow(int row) = 0;
    virtual void scrollAssayRowIntoView(int row) = 0;

    // The per-channel tab: list 0 is "Канал 1", list 1 is "Канал 2". A fill appends to what the
    // list holds; the workspace empties both first.
    virtual void emptyChannelLists() = 0;
    virtual void fillChannelList(int list, const PeakList& peaks) = 0;

    // The identification tab.
    virtual void fillIdentification(const IdentificationList& rows, bool hasCalibration) = 0;
    virtual void emptyIdentification() = 0;

    // The calibration and calculation tabs get every pass's rows; a tab that does not exist yet
    // ignores them.
    virtual void showCalibration(const std::vector<CalibrationRow>& rows) = 0;
    virtual void showQuantitation(const std::vector<QuantitationRow>& rows) = 0;

    // The list box of the messages tab (the log itself is theMessageLog()).
    virtual void emptyMessagesList() = 0;
    // The list shows the display lines of the log as it is now (MessageLog::displayLines()).
    virtual void fillMessagesList(const MessageLog& log) = 0;

    // A modal message box with the error icon, owned by the main window.
    virtual void showErrorBox(const std::u16string& text) = 0;
};

} // namespace host
