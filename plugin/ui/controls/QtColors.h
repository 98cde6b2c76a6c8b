#pragma once
// Conversion of the system's stored colours to Qt's.
#include "ui/controls/ColorRef.h"

#include <QColor>

namespace controls {

inline QColor toQColor(COLORREF c)
{
    return QColor(int(redOf(c)), int(greenOf(c)), int(blueOf(c)));
}

} // namespace controls
