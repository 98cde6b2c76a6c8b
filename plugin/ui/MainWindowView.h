#pragma once
// The workspace's side of the main window: its assay list and result tabs, as the workspace's
// pipeline fills and empties them.
#include "host/WorkspaceView.h"

class ReportUserInterface;

namespace ui {

class DlgMain;

class MainWindowView : public host::WorkspaceView {
public:
    MainWindowView(DlgMain& window, ReportUserInterface& dialogs) : window_(window), dialogs_(&dialogs) {}

    void setDialogs(ReportUserInterface& dialogs) { dialogs_ = &dialogs; }

    int assayRowCount() const override;
    int appendAssayRow(const host::AssayListRow& row) override;
    void appendAssayRows(const std::vector<host::AssayListRow>& rows) override;
    void deleteAllAssayRows() override;
    std::vector<int> selectedAssayRows() const override;
    int32_t assayRowUserData(int row) const override;
    void clearAssaySelection() override;
    void selectAndFocusAssayRow(int row) override;
    void scrollAssayRowIntoView(int row) override;

    void emptyChannelLists() override;
    void fillChannelList(int list, const PeakList& peaks) override;

    void fillIdentification(const IdentificationList& rows, bool hasCalibration) override;
    void emptyIdentification() override;

    void showCalibration(const std::vector<CalibrationRow>& rows) override;
    void showQuantitation(const std::vector<QuantitationRow>& rows) override;

    void emptyMessagesList() override;
    void fillMessagesList(const MessageLog& log) override;

    void showErrorBox(const std::u16string& text) override;

private:
    DlgMain& window_;
    ReportUserInterface* dialogs_;
};

} // namespace ui
