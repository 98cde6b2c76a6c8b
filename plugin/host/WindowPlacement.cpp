#include "host/WindowPlacement.h"

#include "host/SettingsStore.h"

#include <algorithm>

namespace host {

namespace {

bool liesOn(const ScreenRect& r, const ScreenRect& monitor)
{
    // An empty rectangle counts by its top-left point, as a window of no size would.
    if (r.width() <= 0 || r.height() <= 0)
        return r.left >= monitor.left && r.left < monitor.right && r.top >= monitor.top && r.top < monitor.bottom;
    return r.left < monitor.right && monitor.left < r.right && r.top < monitor.bottom && monitor.top < r.bottom;
}

} // namespace

ScreenRect restoredWindowRect(const ScreenRect& saved, const std::vector<ScreenRect>& monitors,
                              const ScreenRect& primaryWorkArea)
{
    for (const ScreenRect& monitor : monitors)
        if (liesOn(saved, monitor))
            return saved;
    int width = std::min(saved.width(), primaryWorkArea.width());
    int height = std::min(saved.height(), primaryWorkArea.height());
    return {primaryWorkArea.left, primaryWorkArea.top, primaryWorkArea.left + width, primaryWorkArea.top + height};
}

ScreenRect readSavedWindowRect()
{
    ScreenRect r;
    r.right = profileGetInt(u"", u"WindowRect_btx", 0);
    r.bottom = profileGetInt(u"", u"WindowRect_bty", 0);
    r.left = profileGetInt(u"", u"WindowRect_tlx", 0);
    r.top = profileGetInt(u"", u"WindowRect_tly", 0);
    return r;
}

void saveWindowRect(const ScreenRect& outer)
{
    profileSetInt(u"", u"WindowRect_btx", outer.right);
    profileSetInt(u"", u"WindowRect_bty", outer.bottom);
    profileSetInt(u"", u"WindowRect_tlx", outer.left);
    profileSetInt(u"", u"WindowRect_tly", outer.top);
}

} // namespace host
