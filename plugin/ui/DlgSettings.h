#pragma once
// The settings dialog (template 125): the unit of the retention-time windows, the deviation
// control between the channels and hiding undetected components in the report. It reads the
// host profile when it opens and writes it only on "Сохранить".
#include <QDialog>

#include <cstdint>

namespace ui {

class DlgSettings : public QDialog {
public:
    static constexpr int kTemplateId = 125;
    static constexpr int kPercent = 1019;       // radio button, unitMode 0
    static constexpr int kMinutes = 1020;       // radio button, unitMode 1
    static constexpr int kDevControl = 1025;    // check box
    static constexpr int kHideNotFound = 1026;  // check box

    explicit DlgSettings(QWidget* parent = nullptr);

    int32_t unitMode() const { return unitMode_; }
    bool devControl() const { return devControl_; }
    bool hideNotFound() const { return hideNotFound_; }

private:
    void readSettings();
    void showMembers();
    void takeControls();
    void save();

    // The index of the marked unit choice; -1 when neither is marked, other values as stored.
    int32_t unitMode_ = 0;
    bool devControl_ = false;
    bool hideNotFound_ = false;
};

} // namespace ui
