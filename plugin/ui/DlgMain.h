#pragma once
// The plug-in's one window (template 101): the loaded chromatograms in a list, nine command
// buttons down the left edge and the results in five tabs below the list. It is modeless and
// owned by the host's window; closing it only hides it, so the workspace, the list and the
// tabs keep everything until the host or the library ends it.
#include "ui/controls/GridListener.h"

#include <QDialog>
#include <QRect>

#include <array>
#include <memory>

namespace controls {
class CGridCtrl;
}

namespace ui {

class CalculationTab;
class ComponentsTab;
class IdentTab;
class MessagesTab;
class TabControl;
class GradTab;
class MainWindowCommands;

class DlgMain : public QDialog, private controls::GridListener {
public:
    static constexpr int kTemplateId = 101;
    static constexpr int kAddButton = 1001;
    static constexpr int kRemoveButton = 1002;
    static constexpr int kRemoveAllButton = 1003;
    static constexpr int kOpenButton = 1004;
    static constexpr int kReportButton = 1005;
    static constexpr int kSaveReportButton = 1006;
    static constexpr int kComponentsButton = 1007;
    static constexpr int kSettingsButton = 1008;
    static constexpr int kAboutButton = 1009;
    static constexpr int kAssayList = 1010;
    static constexpr int kTabControl = 1012;
    static constexpr int kCloseButton = 2;
    static constexpr int kMinimumWidth = 975;
    static constexpr int kMinimumHeight = 520;

    // Tab indices, in the order of the tabs.
    enum Tab { ComponentsPage = 0, IdentPage, GradPage, CalculationPage, MessagesPage, TabCount };

    explicit DlgMain(QWidget* owner);
    ~DlgMain() override;

    controls::CGridCtrl* assayList() const { return assayList_; }
    TabControl* tabControl() const { return tabControl_; }
    QWidget* page(int tab) const;
    ComponentsTab* componentsTab() const { return componentsTab_; }
    IdentTab* identTab() const { return identTab_; }
    GradTab* gradTab() const { return gradTab_; }
    CalculationTab* calculationTab() const { return calculationTab_; }
    MessagesTab* messagesTab() const { return messagesTab_; }
    MainWindowCommands& commands() { return *commands_; }

    // Ends the dialog the way "Закрыть" does: the position is saved and the window hidden.
    void reject() override;
    // Ends the dialog without saving the position (the Enter key with no button focused).
    void accept() override;

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // The minimum size applies to the outer frame: the client's is that less the frame.
    void keepOuterMinimum();
    void setUpButtons();
    void setUpAssayList();
    void restorePosition();
    void savePosition();
    void createPages();
    void connectCommands();
    void onSelChanged(const controls::GridNotifyHeader& header, int row, int subItem) override;

    controls::CGridCtrl* assayList_ = nullptr;
    TabControl* tabControl_ = nullptr;
    ComponentsTab* componentsTab_ = nullptr;
    IdentTab* identTab_ = nullptr;
    GradTab* gradTab_ = nullptr;
    CalculationTab* calculationTab_ = nullptr;
    MessagesTab* messagesTab_ = nullptr;
    std::unique_ptr<MainWindowCommands> commands_;
    // The outer rectangle restored before the window was first shown, while its frame was not
    // known yet; the first show makes the frame fit it.
    QRect restoredOuter_;
};

} // namespace ui
