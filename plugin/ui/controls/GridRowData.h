#pragma once
// The record the grid keeps for each of its rows.
#include "ui/controls/ColorRef.h"

#include <cstdint>

namespace controls {

struct GridRowData {
    COLORREF textColor = kSystemColor;   // kSystemColor: the system's text colour
    COLORREF backColor = kSystemColor;   // kSystemColor: the system's window colour
    std::int32_t userData = 0;           // the owner's value for the row
};

} // namespace controls
