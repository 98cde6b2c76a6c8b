#pragma once
// A main window stand-in for the workspace: it keeps what the workspace puts on screen, and
// answers a newly selected row the way the main window does, by recalculating for it.
#include "host/CalculationWorkspace.h"
#include "host/WorkspaceView.h"

#include <algorithm>
#include <set>
#include <string>
#include <vector>

class RecordingView : public host::WorkspaceView {
public:
    host::CalculationWorkspace* workspace = nullptr;

    std::vector<host::AssayListRow> rows;
    std::set<int> selected;
    int scrolledTo = -1;
    int focused = -1;
    PeakList channelLists[2];
    bool identificationFilled = false;
    IdentificationList identification;
    bool identificationHasCalibration = false;
    std::vector<CalibrationRow> calibration;
    std::vector<QuantitationRow> quantitation;
    std::vector<std::u16string> messages;
    std::vector<std::u16string> errorBoxes;
    int passesShown = 0;           // calibration handed over: one per pipeline run
    std::vector<int> selectionRecalculations;  // rows the list announced as newly selected

    int assayRowCount() const override { return static_cast<int>(rows.size()); }
    int appendAssayRow(const host::AssayListRow& row) override
    {
        rows.push_back(row);
        return assayRowCount() - 1;
    }
    void deleteAllAssayRows() override
    {
        rows.clear();
        selected.clear();
        focused = -1;
    }
    std::vector<int> selectedAssayRows() const override { return {selected.begin(), selected.end()}; }
    int32_t assayRowUserData(int row) const override { return rows.at(static_cast<std::size_t>(row)).assayId; }
    void clearAssaySelection() override
    {
        selected.clear();
        focused = -1;
    }
    void selectAndFocusAssayRow(int row) override
    {
        focused = row;
        if (!selected.insert(row).second)
            return;
        selectionRecalculations.push_back(row);
        if (workspace)
            workspace->recalculate(row);
    }
    void scrollAssayRowIntoView(int row) override { scrolledTo = row; }

    void emptyChannelLists() override
    {
        channelLists[0].clear();
        channelLists[1].clear();
    }
    void fillChannelList(int list, const PeakList& peaks) override
    {
        PeakList& target = channelLists[list];
        target.insert(target.end(), peaks.begin(), peaks.end());
    }
    void fillIdentification(const IdentificationList& list, bool hasCalibration) override
    {
        identificationFilled = true;
        identification = list;
        identificationHasCalibration = hasCalibration;
    }
    void emptyIdentification() override
    {
        identificationFilled = false;
        identification.clear();
    }
    void showCalibration(const std::vector<CalibrationRow>& list) override
    {
        ++passesShown;
        calibration = list;
    }
    void showQuantitation(const std::vector<QuantitationRow>& list) override { quantitation = list; }
    void emptyMessagesList() override { messages.clear(); }
    void fillMessagesList(const MessageLog& log) override
    {
        messages = log.displayLines();
    }
    void showErrorBox(const std::u16string& text) override { errorBoxes.push_back(text); }

    // Selects rows as a click would: each newly selected row is announced.
    void click(int row)
    {
        clearAssaySelection();
        selectAndFocusAssayRow(row);
    }
    std::vector<int32_t> listedIds() const
    {
        std::vector<int32_t> ids;
        for (const host::AssayListRow& row : rows)
            ids.push_back(row.assayId);
        return ids;
    }
    bool perAssayTabsEmpty() const
    {
        return channelLists[0].empty() && channelLists[1].empty() && !identificationFilled;
    }
};
