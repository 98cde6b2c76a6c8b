#include "RecordingHost.h"

#include "host/HostBus.h"
#include "host/SettingsStore.h"

#include <gtest/gtest.h>

namespace {
class Settings : public ::testing::Test {
protected:
    void SetUp() override
    {
        host::setHostApi(fake.api());
        host::setKeyPrefix(u"plugins\\vexol");
    }
    void TearDown() override
    {
        host::setHostApi(nullptr);
        host::setKeyPrefix(u"");
    }
    RecordingHost fake;
};
} // namespace

TEST_F(Settings, KeysJoinPrefixSectionAndName)
{
    EXPECT_EQ(host::profileKey(u"Settings", u"unitMode"), u"plugins\\vexol\\Settings/unitMode");
    EXPECT_EQ(host::profileKey(u"", u"WindowRect_tlx"), u"plugins\\vexol\\/WindowRect_tlx");
    host::setKeyPrefix(u"");
    EXPECT_EQ(host::profileKey(u"Settings", u"devControl"), u"Settings/devControl");
}

TEST_F(Settings, NothingStoredGivesTheDefaults)
{
    fake.serveStandard(1049);
    PluginSettings s = host::readPluginSettings();
    EXPECT_EQ(s.unitMode, 0);
    EXPECT_FALSE(s.devControl);
    EXPECT_FALSE(s.hideNotFound);
}

TEST_F(Settings, StoredValuesAreReadInOrderAndFlagsAreNonZero)
{
    fake.serveStandard(1049);
    fake.profile[u"plugins\\vexol\\Settings/unitMode"] = 7;
    fake.profile[u"plugins\\vexol\\Settings/devControl"] = 5;
    fake.profile[u"plugins\\vexol\\Settings/hideNotFound"] = 0;
    fake.clearCalls();
    PluginSettings s = host::readPluginSettings();
    EXPECT_EQ(s.unitMode, 7);  // passed on unchanged
    EXPECT_TRUE(s.devControl);
    EXPECT_FALSE(s.hideNotFound);
    EXPECT_EQ(fake.count("callCommand", "Profile/GetInt"), 3);
}

TEST_F(Settings, HostWithoutProfileCommands)
{
    // No command at all: every read gives its default and no call is made.
    EXPECT_EQ(host::profileGetInt(u"Settings", u"unitMode", 3), 3);
    EXPECT_FALSE(host::profileSetInt(u"Settings", u"unitMode", 1));
    PluginSettings s = host::readPluginSettings();
    EXPECT_EQ(s.unitMode, 0);
    EXPECT_FALSE(s.devControl);
    EXPECT_EQ(fake.count("callCommand"), 0);

    // A GetInt that answers "not found" also gives the default, even if it wrote something.
    fake.bus.serve("Profile/GetInt", [](intptr_t, intptr_t value) -> intptr_t {
        *reinterpret_cast<int32_t*>(value) = 99;
        return 0;
    });
    EXPECT_EQ(host::profileGetInt(u"Settings", u"unitMode", 4), 4);
}

TEST_F(Settings, SetIntWritesUnderTheFullKey)
{
    fake.serveStandard(1049);
    EXPECT_TRUE(host::profileSetInt(u"Settings", u"hideNotFound", 1));
    EXPECT_EQ(fake.profile[u"plugins\\vexol\\Settings/hideNotFound"], 1);
    EXPECT_TRUE(host::readPluginSettings().hideNotFound);
}
