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

struct DialogControl {
    int32_t id;            // control id; -1 (0xFFFF) for a static without one
    ControlKind kind;
    int32_t x, y, cx, cy;  // dialog units
    const char16_t* text;  // may be null
    uint32_t style;        // kind-specific flags, see the dialog builder
};

struct DialogTemplate {
    int32_t id;
    const char16_t* caption;
    int32_t cx, cy;            // dialog units
    const char16_t* fontName;
    int32_t pointSize;
    uint32_t style;
    const DialogControl* controls;
    int32_t controlCount;
};

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
