#pragma once
// The resource tables of a resource module: the string table, the dialog templates and the
// icons. The plug-in carries the Russian tables; a language library beside it exports the same
// record through one C function, VexolResourceTables. Plain records only, so that the layout is
// the same on both sides of the library boundary.
#include <cstddef>
#include <cstdint>

namespace resources {

struct StringEntry {
    int32_t id;
    const char16_t* text;
};

enum class ControlKind : int32_t {
    Static,          // label
    PushButton,
    DefPushButton,
    CheckBox,        // automatic check box
    RadioButton,     // automatic radio button
    GroupBox,
    Edit,
    ComboBox,
    ListBox,
    ListView,        // report view list
    TabControl,
    Icon,            // icon picture
    Custom,          // a control of the plug-in's own (grid, chart)
};

// Style bits of a control (DialogControl::style). They say what a dialog template says about a
// control beyond its kind; the dialog builder in ui/ turns them into widget properties.
namespace controlStyle {
constexpr uint32_t None = 0;
constexpr uint32_t Group = 1u << 0;          // starts a group (radio buttons after it are exclusive)
constexpr uint32_t Border = 1u << 1;         // thin border around the control
constexpr uint32_t ReportView = 1u << 2;     // list view: rows and columns with a header
constexpr uint32_t SingleSelect = 1u << 3;   // list view: one row selectable at a time
constexpr uint32_t Sort = 1u << 4;           // list box / combo box: keeps its items sorted
constexpr uint32_t VScroll = 1u << 5;        // vertical scroll bar
constexpr uint32_t HScroll = 1u << 6;        // horizontal scroll bar
constexpr uint32_t DropDownList = 1u << 7;   // combo box: choose from the list only
constexpr uint32_t Frame = 1u << 8;          // static: an empty frame (the chart draws into it)
} // namespace controlStyle

struct DialogControl {
    int32_t id;            // control id; -1 (0xFFFF) for a static without one
    ControlKind kind;
    int32_t x, y, cx, cy;  // dialog units
    const char16_t* text;  // may be null
    uint32_t style;        // controlStyle bits
    // The name by which the windows' code finds a control without an id (a label that moves
    // with the window); null for the others.
    const char* name = nullptr;
};

// Style bits of a dialog (DialogTemplate::style).
namespace dialogStyle {
constexpr uint32_t Popup = 1u << 0;          // a window of its own
constexpr uint32_t Child = 1u << 1;          // a page inside another window, no caption
constexpr uint32_t Caption = 1u << 2;
constexpr uint32_t SysMenu = 1u << 3;        // close box
constexpr uint32_t MinimizeBox = 1u << 4;
constexpr uint32_t MaximizeBox = 1u << 5;
constexpr uint32_t SizingBorder = 1u << 6;   // the user may drag the window's edges
} // namespace dialogStyle

struct DialogTemplate {
    int32_t id;
    const char16_t* caption;
    int32_t cx, cy;            // dialog units
    const char16_t* fontName;
    int32_t pointSize;
    uint32_t style;            // dialogStyle bits
    const DialogControl* controls;
    int32_t controlCount;
};

// One image of an icon. An icon may have several entries with the same id, one per pixel
// size, so that a 16 x 16 glyph is drawn for its size instead of being scaled down.
struct IconEntry {
    int32_t id;
    const unsigned char* png;  // PNG bytes
    std::size_t size;
};

struct ResourceTables {
    uint32_t size;  // sizeof(ResourceTables) of the library that made it
    const StringEntry* strings;
    int32_t stringCount;
    const DialogTemplate* dialogs;
    int32_t dialogCount;
    const IconEntry* icons;
    int32_t iconCount;
};

} // namespace resources

// The one function a language library exports.
extern "C" typedef const resources::ResourceTables* (*VexolResourceTablesFn)();
#define VEXOL_RESOURCE_TABLES_SYMBOL "VexolResourceTables"
