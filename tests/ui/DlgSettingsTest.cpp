// The settings dialog against a host profile: what it shows for what is stored, what "Сохранить"
// writes and in which order, and that leaving it any other way writes nothing.
#include "EnglishTables.h"
#include "RecordingHost.h"
#include "Screenshots.h"
#include "host/HostBus.h"
#include "host/SettingsStore.h"
#include "ui/DialogBuilder.h"
#include "ui/DlgSettings.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

#include <utility>
#include <vector>

using ui::DlgSettings;
using ui::findControlAs;

namespace {

const std::u16string kUnitMode = u"plugins\\vexol\\Settings/unitMode";
const std::u16string kDevControl = u"plugins\\vexol\\Settings/devControl";
const std::u16string kHideNotFound = u"plugins\\vexol\\Settings/hideNotFound";

class SettingsDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        fake.serveStandard(1049);
        fake.bus.serve("Profile/SetInt", [this](intptr_t key, intptr_t value) -> intptr_t {
            const std::u16string name = reinterpret_cast<const char16_t*>(key);
            const int32_t stored = *reinterpret_cast<const int32_t*>(value);
            writes.emplace_back(name, stored);
            fake.profile[name] = stored;
            return 1;
        });
        host::setHostApi(fake.api());
        host::setKeyPrefix(u"plugins\\vexol");
    }
    void TearDown() override
    {
        host::setHostApi(nullptr);
        host::setKeyPrefix(u"");
    }

    static QRadioButton* radio(QWidget* d, int id) { return findControlAs<QRadioButton>(d, id); }
    static QCheckBox* check(QWidget* d, int id) { return findControlAs<QCheckBox>(d, id); }
    static void click(QWidget* d, int id) { findControlAs<QPushButton>(d, id)->click(); }

    RecordingHost fake;
    std::vector<std::pair<std::u16string, int32_t>> writes;
};

} // namespace

TEST_F(SettingsDialog, NothingStoredShowsPercentAndClearedBoxesAndSavesThemInOrder)
{
    DlgSettings dialog;
    EXPECT_TRUE(radio(&dialog, 1019)->isChecked());
    EXPECT_FALSE(radio(&dialog, 1020)->isChecked());
    EXPECT_FALSE(check(&dialog, 1025)->isChecked());
    EXPECT_FALSE(check(&dialog, 1026)->isChecked());
    EXPECT_TRUE(writes.empty()) << "opening writes nothing";

    dialog.show();
    click(&dialog, 1);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(dialog.isVisible());
    const std::vector<std::pair<std::u16string, int32_t>> expected {
        {kUnitMode, 0}, {kDevControl, 0}, {kHideNotFound, 0}};
    EXPECT_EQ(writes, expected) << "saving without changes writes all three again";
}

TEST_F(SettingsDialog, StoredValuesAreShownAndChangesSaved)
{
    fake.profile[kUnitMode] = 1;
    fake.profile[kDevControl] = 1;
    fake.profile[kHideNotFound] = 1;
    DlgSettings dialog;
    EXPECT_FALSE(radio(&dialog, 1019)->isChecked());
    EXPECT_TRUE(radio(&dialog, 1020)->isChecked());
    EXPECT_TRUE(check(&dialog, 1025)->isChecked());
    EXPECT_TRUE(check(&dialog, 1026)->isChecked());

    dialog.show();
    radio(&dialog, 1019)->click();
    check(&dialog, 1026)->click();
    click(&dialog, 1);
    EXPECT_EQ(fake.profile[kUnitMode], 0);
    EXPECT_EQ(fake.profile[kDevControl], 1);
    EXPECT_EQ(fake.profile[kHideNotFound], 0);
    EXPECT_EQ(dialog.unitMode(), 0);
    EXPECT_FALSE(dialog.hideNotFound());
}

TEST_F(SettingsDialog, UnknownUnitMarksNeitherAndSavesMinusOne)
{
    fake.profile[kUnitMode] = 7;
    DlgSettings dialog;
    EXPECT_EQ(dialog.unitMode(), 7);
    EXPECT_FALSE(radio(&dialog, 1019)->isChecked());
    EXPECT_FALSE(radio(&dialog, 1020)->isChecked());
    dialog.show();
    click(&dialog, 1);
    EXPECT_EQ(fake.profile[kUnitMode], -1);
    ASSERT_EQ(writes.size(), 3u);
    EXPECT_EQ(writes[0], std::make_pair(kUnitMode, -1));
}

TEST_F(SettingsDialog, AnyNonZeroFlagIsCheckedAndWrittenBackAsOne)
{
    fake.profile[kDevControl] = 5;
    fake.profile[kHideNotFound] = -3;
    DlgSettings dialog;
    EXPECT_TRUE(dialog.devControl());
    EXPECT_TRUE(check(&dialog, 1025)->isChecked());
    EXPECT_TRUE(check(&dialog, 1026)->isChecked());
    dialog.show();
    click(&dialog, 1);
    EXPECT_EQ(fake.profile[kDevControl], 1);
    EXPECT_EQ(fake.profile[kHideNotFound], 1);
}

TEST_F(SettingsDialog, DeviationBoxTakesEffectOnTheMemberAtOnce)
{
    DlgSettings dialog;
    dialog.show();
    EXPECT_FALSE(dialog.devControl());
    check(&dialog, 1025)->click();
    EXPECT_TRUE(dialog.devControl());
    EXPECT_TRUE(writes.empty()) << "nothing is written before saving";
    check(&dialog, 1025)->click();
    EXPECT_FALSE(dialog.devControl());
}

TEST_F(SettingsDialog, CancelEscapeAndCloseBoxWriteNothing)
{
    fake.profile[kUnitMode] = 1;
    {
        DlgSettings dialog;
        dialog.show();
        radio(&dialog, 1019)->click();
        check(&dialog, 1025)->click();
        click(&dialog, 2);
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
        EXPECT_FALSE(dialog.isVisible());
    }
    {
        DlgSettings dialog;
        dialog.show();
        check(&dialog, 1026)->click();
        QTest::keyClick(&dialog, Qt::Key_Escape);
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
        EXPECT_FALSE(dialog.isVisible());
    }
    {
        DlgSettings dialog;
        dialog.show();
        dialog.close();
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
    }
    EXPECT_TRUE(writes.empty());
    EXPECT_EQ(fake.profile[kUnitMode], 1);
}

TEST_F(SettingsDialog, EnterSavesThroughTheDefaultButton)
{
    DlgSettings dialog;
    dialog.show();
    check(&dialog, 1026)->setFocus();
    QTest::keyClick(&dialog, Qt::Key_Return);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(writes.size(), 3u);
}

TEST_F(SettingsDialog, HostWithoutProfileCommandsGivesDefaultsAndSavesNothing)
{
    fake.bus.withdraw("Profile/GetInt");
    fake.bus.withdraw("Profile/SetInt");
    fake.profile[kUnitMode] = 1;
    DlgSettings dialog;
    EXPECT_TRUE(radio(&dialog, 1019)->isChecked());
    EXPECT_FALSE(check(&dialog, 1025)->isChecked());
    dialog.show();
    click(&dialog, 1);
    EXPECT_EQ(dialog.result(), QDialog::Accepted) << "closes as usual, no message";
    EXPECT_EQ(fake.count("callCommand", "Profile/SetInt"), 0);
    EXPECT_EQ(fake.profile[kUnitMode], 1);
}

TEST_F(SettingsDialog, HasTheWindowIconAndTheTemplatesCaption)
{
    DlgSettings dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Настройки"));
    EXPECT_FALSE(dialog.windowIcon().isNull());
    EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize());
}

TEST_F(SettingsDialog, Screenshots)
{
    fake.profile[kDevControl] = 1;
    {
        DlgSettings dialog;
        dialog.show();
        EXPECT_TRUE(saveScreenshot(&dialog, QStringLiteral("settings_rus")));
    }
    EnglishResources english;
    ASSERT_TRUE(english.loaded());
    DlgSettings dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Settings"));
    EXPECT_EQ(findControlAs<QPushButton>(&dialog, 1)->text(), QStringLiteral("Save"));
    dialog.show();
    EXPECT_TRUE(saveScreenshot(&dialog, QStringLiteral("settings_enu")));
}
