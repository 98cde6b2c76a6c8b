#pragma once
// Where the main window goes when it opens, and what is written when it closes. Rectangles use
// screen pixels with exclusive right and bottom edges, as the profile stores them.
#include <vector>

namespace host {

struct ScreenRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool operator==(const ScreenRect&) const = default;
};

// The saved rectangle where it lies at least partly on a monitor; otherwise the primary work
// area's top-left corner with the saved size, cut down to the work area.
ScreenRect restoredWindowRect(const ScreenRect& saved, const std::vector<ScreenRect>& monitors,
                              const ScreenRect& primaryWorkArea);

// Reads "WindowRect_btx", "_bty", "_tlx", "_tly" (in that order, default 0).
ScreenRect readSavedWindowRect();
// Writes right, bottom, left, top in that order.
void saveWindowRect(const ScreenRect& outer);

} // namespace host
