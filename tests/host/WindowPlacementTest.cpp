#include "RecordingHost.h"

#include "host/HostBus.h"
#include "host/SettingsStore.h"
#include "host/WindowPlacement.h"

#include <gtest/gtest.h>

using host::ScreenRect;

TEST(WindowPlacement, RectangleOnAMonitorStaysWhereItWas)
{
    std::vector<ScreenRect> monitors {{0, 0, 1920, 1080}, {1920, 0, 3840, 1080}};
    ScreenRect work {0, 0, 1920, 1040};
    ScreenRect partly {3500, 500, 4800, 1300};  // reaches beyond the second monitor
    EXPECT_EQ(host::restoredWindowRect(partly, monitors, work), partly);
    ScreenRect nothingStored {0, 0, 0, 0};  // empty, at the origin of the primary monitor
    EXPECT_EQ(host::restoredWindowRect(nothingStored, monitors, work), nothingStored);
}

TEST(WindowPlacement, MonitorThatIsGoneBringsTheWindowToThePrimaryWorkArea)
{
    std::vector<ScreenRect> monitors {{0, 0, 1280, 1024}};
    ScreenRect work {0, 30, 1280, 1024};
    ScreenRect onLostMonitor {2000, 100, 3500, 1300};  // 1500 x 1200, bigger than the work area
    ScreenRect restored = host::restoredWindowRect(onLostMonitor, monitors, work);
    EXPECT_EQ(restored.left, 0);
    EXPECT_EQ(restored.top, 30);
    EXPECT_EQ(restored.width(), 1280);
    EXPECT_EQ(restored.height(), 994);

    ScreenRect small {2000, 100, 3000, 700};
    restored = host::restoredWindowRect(small, monitors, work);
    EXPECT_EQ(restored, (ScreenRect {0, 30, 1000, 630}));

    // Touching the right edge only is not lying on the monitor.
    ScreenRect touching {1280, 0, 1500, 200};
    EXPECT_EQ(host::restoredWindowRect(touching, monitors, work).left, 0);
}

TEST(WindowPlacement, SavedInTheProfileInItsOrder)
{
    RecordingHost fake;
    fake.serveStandard(1049);
    host::setHostApi(fake.api());
    host::setKeyPrefix(u"plugins\\vexol");
    host::saveWindowRect({10, 20, 1010, 620});
    EXPECT_EQ(fake.profile[u"plugins\\vexol\\/WindowRect_btx"], 1010);
    EXPECT_EQ(fake.profile[u"plugins\\vexol\\/WindowRect_bty"], 620);
    EXPECT_EQ(fake.profile[u"plugins\\vexol\\/WindowRect_tlx"], 10);
    EXPECT_EQ(fake.profile[u"plugins\\vexol\\/WindowRect_tly"], 20);
    EXPECT_EQ(host::readSavedWindowRect(), (ScreenRect {10, 20, 1010, 620}));
    host::setHostApi(nullptr);
    EXPECT_EQ(host::readSavedWindowRect(), (ScreenRect {0, 0, 0, 0}));
    host::setKeyPrefix(u"");
}
