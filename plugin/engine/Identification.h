#pragma once
// Peak measurements used to choose a component's main channel and to find its peak in a window.
#include <string_view>

#include "engine/Component.h"
#include "input/AssayRecord.h"

class MessageLog;

// The smallest chromatographic resolution of peak `index` against every other peak of the table
// with a positive width; -1 when it cannot be measured.
double minResolution(const PeakList& table, int index);

// The matching peak closest to refTime within the window (half-width `window` minutes when
// unitMode is 1, else `window` percent of refTime), or -1. When peaks of the component's name
// exist but none lies in the window, warns that the retention time is out of the window.
int windowSearch(const PeakList& table, const Component& component, double refTime, double window,
                 int unitMode, int channel, std::u16string_view fileName, MessageLog& log);
