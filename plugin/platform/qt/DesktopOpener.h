#pragma once
// Opening a file with the desktop's program for its type (xdg-open behind QDesktopServices),
// replaceable so that tests decide whether the desktop managed it.
#include <QString>

#include <functional>

namespace platform {

using DesktopOpener = std::function<bool(const QString& path)>;

// True when the desktop took the file; false when no program could be started for it.
bool openWithDesktop(const QString& path);
// Puts `opener` in place of the desktop's; an empty one brings the desktop's back.
void setDesktopOpener(DesktopOpener opener);

} // namespace platform
