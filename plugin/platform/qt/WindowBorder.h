#pragma once
// A window whose size the analyst may change by maximising and restoring it, but not by
// dragging its border: what a dialog without a sizing border and with a maximise box is.
class QWidget;

namespace platform {

// Asks the window system to give `window` no sizing border, keeping moving, minimising,
// maximising and closing. Call it once the window's native window exists and again whenever its
// window flags change (Qt then rewrites the hints). Returns false where the window system offers
// no such request (Wayland, offscreen): there the border stays sizable.
bool withdrawSizingBorder(QWidget* window);

} // namespace platform
