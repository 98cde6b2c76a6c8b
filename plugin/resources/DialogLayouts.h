#pragma once
// The dialog templates' one geometry table, for every language: the controls of each template,
// their ids, kinds, places and sizes in dialog units, and their styles. A language supplies only
// its texts, as a type with one member per text (see DialogsRus.cpp); a text left out does not
// compile. The plug-in builds its Russian templates from this table, a language library its own.
#include "resources/ResourceTables.h"

#include <cstddef>

namespace resources {

// The names of the unnumbered controls that the windows' code refers to.
namespace namedControl {
constexpr const char* channel2Caption = "channel2Caption";
} // namespace namedControl

template <class Texts>
struct DialogLayouts {
    using K = ControlKind;

    // 101: the main window.
    static constexpr DialogControl mainWindow[] = {
        {1001, K::PushButton, 7, 7, 16, 14, u"+", controlStyle::None},
        {1002, K::PushButton, 7, 23, 16, 14, u"-", controlStyle::None},
        {1003, K::PushButton, 7, 38, 16, 14, u"--", controlStyle::None},
        {1004, K::PushButton, 7, 53, 16, 14, u"^", controlStyle::None},
        {1007, K::PushButton, 7, 68, 16, 14, u"C", controlStyle::None},
        {1005, K::PushButton, 7, 83, 16, 14, u"R", controlStyle::None},
        {1006, K::PushButton, 7, 98, 16, 14, u"SR", controlStyle::None},
        {1008, K::PushButton, 7, 113, 16, 14, u"S", controlStyle::None},
        {1009, K::PushButton, 7, 128, 16, 14, u"i", controlStyle::None},
        {1010, K::ListView, 26, 7, 542, 135, nullptr, controlStyle::ReportView | controlStyle::Border},
        {1012, K::TabControl, 7, 149, 561, 117, nullptr, controlStyle::None},
        {2, K::PushButton, 518, 274, 50, 14, Texts::close, controlStyle::None},
    };

    // 102: the identification page.
    static constexpr DialogControl identPage[] = {
        {1027, K::ListView, 7, 7, 295, 85, nullptr,
         controlStyle::ReportView | controlStyle::SingleSelect | controlStyle::Border},
    };

    // 115: the page of the selected chromatogram's peak tables.
    static constexpr DialogControl componentsPage[] = {
        {-1, K::Static, 7, 7, 60, 8, Texts::channel1, controlStyle::None},
        {1014, K::ListView, 7, 18, 188, 66, nullptr,
         controlStyle::ReportView | controlStyle::SingleSelect | controlStyle::Border},
        {-1, K::Static, 203, 7, 60, 8, Texts::channel2, controlStyle::None, namedControl::channel2Caption},
        {1013, K::ListView, 203, 18, 166, 66, nullptr,
         controlStyle::ReportView | controlStyle::SingleSelect | controlStyle::Border},
    };

    // 117: the component table editor.
    static constexpr DialogControl componentsDialog[] = {
        {1016, K::ListView, 7, 7, 611, 220, nullptr, controlStyle::ReportView | controlStyle::Border},
        {1018, K::PushButton, 7, 234, 80, 14, Texts::addComponent, controlStyle::None},
        {1017, K::PushButton, 90, 234, 80, 14, Texts::deleteComponent, controlStyle::None},
        {1, K::DefPushButton, 517, 234, 50, 14, Texts::save, controlStyle::None},
        {2, K::PushButton, 569, 234, 49, 14, Texts::cancel, controlStyle::None},
    };

    // 125: the settings dialog.
    static constexpr DialogControl settingsDialog[] = {
        {-1, K::GroupBox, 7, 7, 183, 49, Texts::windowsGroup, controlStyle::None},
        {-1, K::Static, 13, 21, 80, 8, Texts::windowUnits, controlStyle::None},
        {1019, K::RadioButton, 99, 20, 86, 10, Texts::inPercent, controlStyle::Group},
        {1020, K::RadioButton, 99, 39, 86, 10, Texts::inMinutes, controlStyle::None},
        {-1, K::GroupBox, 7, 62, 183, 28, Texts::deviationGroup, controlStyle::Group},
        {1025, K::CheckBox, 13, 75, 172, 10, Texts::checkDeviation, controlStyle::None},
        {-1, K::GroupBox, 7, 96, 183, 27, Texts::reportGroup, controlStyle::Group},
        {1026, K::CheckBox, 13, 110, 154, 10, Texts::hideNotFound, controlStyle::None},
        {1, K::DefPushButton, 87, 130, 50, 14, Texts::save, controlStyle::Group},
        {2, K::PushButton, 140, 130, 50, 14, Texts::cancel, controlStyle::None},
    };

    // 134: the calibration page. The caption, the two combo boxes and the coefficient label sit
    // above the point list and the chart, so that those two can take all of the page's growth.
    static constexpr DialogControl calibrationPage[] = {
        {-1, K::Static, 7, 9, 40, 8, Texts::componentCaption, controlStyle::None},
        {1030, K::ComboBox, 50, 7, 110, 100, nullptr,
         controlStyle::DropDownList | controlStyle::Sort | controlStyle::VScroll},
        {1031, K::ComboBox, 165, 7, 60, 60, nullptr, controlStyle::DropDownList | controlStyle::Sort},
        {1032, K::Static, 232, 9, 141, 8, u"k1 = ---", controlStyle::None},
        {1027, K::ListView, 7, 24, 183, 60, nullptr,
         controlStyle::ReportView | controlStyle::SingleSelect | controlStyle::Border},
        {1029, K::Custom, 196, 24, 177, 60, nullptr, controlStyle::Frame},
    };

    // 136: the messages page.
    static constexpr DialogControl messagesPage[] = {
        {1027, K::ListBox, 6, 7, 292, 73, nullptr, controlStyle::VScroll | controlStyle::Border},
    };

    // 138: the concentrations page.
    static constexpr DialogControl calculationPage[] = {
        {1027, K::ListView, 7, 7, 299, 78, nullptr,
         controlStyle::ReportView | controlStyle::SingleSelect | controlStyle::Border},
    };

    // 140: the About dialog.
    static constexpr DialogControl aboutDialog[] = {
        {1028, K::Icon, 16, 14, 20, 20, nullptr, controlStyle::None},
        {-1, K::Static, 88, 15, 160, 8, u"Dvinar", controlStyle::None},
        {-1, K::Static, 88, 30, 160, 8, Texts::version, controlStyle::None},
        {-1, K::Static, 88, 45, 160, 24, u"Copyright (c) 2026 Dvinar Laboratory Software. All rights reserved.",
         controlStyle::None},
        {-1, K::Static, 17, 74, 225, 20, u"Dvinar", controlStyle::None},
        {1, K::DefPushButton, 200, 98, 50, 14, u"OK", controlStyle::Group},
    };

    template <std::size_t N>
    static constexpr int32_t count(const DialogControl (&)[N]) { return static_cast<int32_t>(N); }

    static constexpr const char16_t* font = u"MS Shell Dlg";
    static constexpr uint32_t page = dialogStyle::Child;
    static constexpr uint32_t modal = dialogStyle::Popup | dialogStyle::Caption | dialogStyle::SysMenu;

    static constexpr DialogTemplate dialogs[] = {
        {101, u"Dvinar", 575, 295, font, 8, modal | dialogStyle::MinimizeBox | dialogStyle::MaximizeBox,
         mainWindow, count(mainWindow)},
        {102, nullptr, 309, 99, font, 8, page, identPage, count(identPage)},
        {115, nullptr, 376, 91, font, 8, page, componentsPage, count(componentsPage)},
        {117, Texts::componentsCaption, 625, 255, font, 8, modal, componentsDialog, count(componentsDialog)},
        {125, Texts::settingsCaption, 197, 151, font, 8, modal, settingsDialog, count(settingsDialog)},
        {134, nullptr, 380, 91, font, 8, page, calibrationPage, count(calibrationPage)},
        {136, nullptr, 305, 87, font, 8, page, messagesPage, count(messagesPage)},
        {138, nullptr, 313, 92, font, 8, page, calculationPage, count(calculationPage)},
        {140, Texts::aboutCaption, 257, 119, font, 8, modal, aboutDialog, count(aboutDialog)},
    };
    static constexpr int32_t dialogCount = static_cast<int32_t>(sizeof dialogs / sizeof dialogs[0]);
};

} // namespace resources
