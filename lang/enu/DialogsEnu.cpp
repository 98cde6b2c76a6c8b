// English dialog templates: the plug-in's own templates with English texts. The controls, their
// order and their geometry are the same, so that the windows' code and layout serve both.
#include "EnuTables.h"

namespace enu {
namespace {

using resources::ControlKind;
using resources::DialogControl;
using resources::DialogTemplate;

using K = ControlKind;
namespace cs = resources::controlStyle;
namespace ds = resources::dialogStyle;

constexpr const char16_t* kDialogFont = u"MS Shell Dlg";

// 101: the main window.
const DialogControl kMainWindow[] = {
    {1001, K::PushButton, 7, 7, 16, 14, u"+", cs::None},
    {1002, K::PushButton, 7, 23, 16, 14, u"-", cs::None},
    {1003, K::PushButton, 7, 38, 16, 14, u"--", cs::None},
    {1004, K::PushButton, 7, 53, 16, 14, u"^", cs::None},
    {1007, K::PushButton, 7, 68, 16, 14, u"C", cs::None},
    {1005, K::PushButton, 7, 83, 16, 14, u"R", cs::None},
    {1006, K::PushButton, 7, 98, 16, 14, u"SR", cs::None},
    {1008, K::PushButton, 7, 113, 16, 14, u"S", cs::None},
    {1009, K::PushButton, 7, 128, 16, 14, u"i", cs::None},
    {1010, K::ListView, 26, 7, 542, 135, nullptr, cs::ReportView | cs::Border},
    {1012, K::TabControl, 7, 149, 561, 117, nullptr, cs::None},
    {2, K::PushButton, 518, 274, 50, 14, u"Close", cs::None},
};

// 102: the identification page.
const DialogControl kIdentPage[] = {
    {1027, K::ListView, 7, 7, 295, 85, nullptr, cs::ReportView | cs::SingleSelect | cs::Border},
};

// 115: the page of the selected chromatogram's peak tables.
const DialogControl kComponentsPage[] = {
    {-1, K::Static, 7, 7, 60, 8, u"Channel 1", cs::None},
    {1014, K::ListView, 7, 18, 188, 66, nullptr, cs::ReportView | cs::SingleSelect | cs::Border},
    {-1, K::Static, 203, 7, 60, 8, u"Channel 2", cs::None},
    {1013, K::ListView, 203, 18, 166, 66, nullptr, cs::ReportView | cs::SingleSelect | cs::Border},
};

// 117: the component table editor.
const DialogControl kComponentsDialog[] = {
    {1016, K::ListView, 7, 7, 611, 220, nullptr, cs::ReportView | cs::Border},
    {1018, K::PushButton, 7, 234, 80, 14, u"Add component", cs::None},
    {1017, K::PushButton, 90, 234, 80, 14, u"Delete component", cs::None},
    {1, K::DefPushButton, 517, 234, 50, 14, u"Save", cs::None},
    {2, K::PushButton, 569, 234, 49, 14, u"Cancel", cs::None},
};

// 125: the settings dialog.
const DialogControl kSettingsDialog[] = {
    {-1, K::GroupBox, 7, 7, 183, 49, u"Retention time search windows", cs::None},
    {-1, K::Static, 13, 21, 80, 8, u"Window units:", cs::None},
    {1019, K::RadioButton, 99, 20, 86, 10, u"in percent (%)", cs::Group},
    {1020, K::RadioButton, 99, 39, 86, 10, u"in minutes (min)", cs::None},
    {-1, K::GroupBox, 7, 62, 183, 28, u"Peak area ratio control", cs::Group},
    {1025, K::CheckBox, 13, 75, 172, 10, u"check the deviation between channels", cs::None},
    {-1, K::GroupBox, 7, 96, 183, 27, u"Report settings", cs::Group},
    {1026, K::CheckBox, 13, 110, 154, 10, u"Hide undetected components", cs::None},
    {1, K::DefPushButton, 87, 130, 50, 14, u"Save", cs::Group},
    {2, K::PushButton, 140, 130, 50, 14, u"Cancel", cs::None},
};

// 134: the calibration page. The caption, the two combo boxes and the coefficient label sit
// above the point list and the chart, so that those two can take all of the page's growth.
const DialogControl kCalibrationPage[] = {
    {-1, K::Static, 7, 9, 40, 8, u"Component:", cs::None},
    {1030, K::ComboBox, 50, 7, 110, 100, nullptr, cs::DropDownList | cs::Sort | cs::VScroll},
    {1031, K::ComboBox, 165, 7, 60, 60, nullptr, cs::DropDownList | cs::Sort},
    {1032, K::Static, 232, 9, 141, 8, u"k1 = ---", cs::None},
    {1027, K::ListView, 7, 24, 183, 60, nullptr, cs::ReportView | cs::SingleSelect | cs::Border},
    {1029, K::Custom, 196, 24, 177, 60, nullptr, cs::Frame},
};

// 136: the messages page.
const DialogControl kMessagesPage[] = {
    {1027, K::ListBox, 6, 7, 292, 73, nullptr, cs::VScroll | cs::Border},
};

// 138: the concentrations page.
const DialogControl kCalculationPage[] = {
    {1027, K::ListView, 7, 7, 299, 78, nullptr, cs::ReportView | cs::SingleSelect | cs::Border},
};

// 140: the About dialog.
const DialogControl kAboutDialog[] = {
    {1028, K::Icon, 16, 14, 20, 20, nullptr, cs::None},
    {-1, K::Static, 88, 15, 160, 8, u"Dvinar", cs::None},
    {-1, K::Static, 88, 30, 160, 8, u"Version: 1.0.0.0", cs::None},
    {-1, K::Static, 88, 45, 160, 24, u"Copyright (c) 2026 Dvinar Laboratory Software. All rights reserved.", cs::None},
    {-1, K::Static, 17, 74, 225, 20, u"Dvinar", cs::None},
    {1, K::DefPushButton, 200, 98, 50, 14, u"OK", cs::Group},
};

template <std::size_t N>
constexpr int32_t count(const DialogControl (&)[N]) { return static_cast<int32_t>(N); }

constexpr uint32_t kPage = ds::Child;
constexpr uint32_t kModal = ds::Popup | ds::Caption | ds::SysMenu;

const DialogTemplate kDialogTable[] = {
    {101, u"Dvinar", 575, 295, kDialogFont, 8, kModal | ds::MinimizeBox | ds::MaximizeBox,
     kMainWindow, count(kMainWindow)},
    {102, nullptr, 309, 99, kDialogFont, 8, kPage, kIdentPage, count(kIdentPage)},
    {115, nullptr, 376, 91, kDialogFont, 8, kPage, kComponentsPage, count(kComponentsPage)},
    {117, u"Components", 625, 255, kDialogFont, 8, kModal, kComponentsDialog, count(kComponentsDialog)},
    {125, u"Settings", 197, 151, kDialogFont, 8, kModal, kSettingsDialog, count(kSettingsDialog)},
    {134, nullptr, 380, 91, kDialogFont, 8, kPage, kCalibrationPage, count(kCalibrationPage)},
    {136, nullptr, 305, 87, kDialogFont, 8, kPage, kMessagesPage, count(kMessagesPage)},
    {138, nullptr, 313, 92, kDialogFont, 8, kPage, kCalculationPage, count(kCalculationPage)},
    {140, u"About", 257, 119, kDialogFont, 8, kModal, kAboutDialog, count(kAboutDialog)},
};

} // namespace

const DialogTemplate* const kDialogs = kDialogTable;
const int32_t kDialogCount = static_cast<int32_t>(sizeof kDialogTable / sizeof kDialogTable[0]);

} // namespace enu
