// The recalculation pipeline and the list commands, seen through a recording main window.
#include "WorkspaceFixture.h"

#include "host/SettingsStore.h"

#include <algorithm>

namespace {

class Workspace : public WorkspaceFixture {
protected:
    int32_t calibration(const std::string& file, double area1 = 100, double area2 = 100)
    {
        AssayDraft draft;
        draft.isCalibration = true;
        draft.channels[1] = {peakAt(u"Бензол", 2.0, area1, 1.0), peakAt(u"Толуол", 4.0, 50, 1.0)};
        draft.channels[2] = {peakAt(u"Бензол", 3.0, area2, 1.0)};
        return data.addAssay(file, draft);
    }
    int32_t analysis(const std::string& file)
    {
        AssayDraft draft;
        draft.databasePeaks = {peakAt(u"Бензол", 2.0, 150)};
        draft.channels[1] = {peakAt(u"Бензол", 2.0, 150)};
        return data.addAssay(file, draft);
    }
    int rowOf(int32_t id) const
    {
        auto ids = view.listedIds();
        return static_cast<int>(std::find(ids.begin(), ids.end(), id) - ids.begin());
    }
    void setProfile(std::u16string_view name, int32_t value)
    {
        fake.profile[host::profileKey(u"Settings", name)] = value;
    }
    bool messagesContain(std::u16string_view text) const
    {
        return std::any_of(view.messages.begin(), view.messages.end(),
                           [&](const std::u16string& line) { return line.find(text) != std::u16string::npos; });
    }
};

} // namespace

TEST_F(Workspace, RemovingWithNothingSelectedDoesNothing)
{
    add({analysis("a.stg"), analysis("b.stg")});
    const int passes = view.passesShown;

    workspace.removeAssays();

    EXPECT_EQ(view.rows.size(), 2u);
    EXPECT_EQ(workspace.assays().size(), 2u);
    EXPECT_EQ(view.passesShown, passes);
}

TEST_F(Workspace, RemovingSelectedRowsRenumbersTheRestFromOne)
{
    const int32_t a = analysis("a.stg");
    const int32_t b = calibration("b.stg");
    const int32_t c = analysis("c.stg");
    const int32_t d = calibration("d.stg");
    add({a, b, c, d});
    view.click(0);
    view.selectAndFocusAssayRow(2);
    const int passes = view.passesShown;
    ASSERT_FALSE(view.perAssayTabsEmpty());

    workspace.removeAssays();

    ASSERT_EQ(view.rows.size(), 2u);
    EXPECT_EQ(view.rows[0].number, u"1");
    EXPECT_EQ(view.rows[1].number, u"2");
    // The rest keep the order in which they were added.
    EXPECT_EQ(view.listedIds(), std::vector<int32_t>({b, d}));
    EXPECT_EQ(workspace.assays().count(a), 0u);
    EXPECT_EQ(workspace.assays().count(c), 0u);
    for (const host::AssayListRow& row : view.rows)
        EXPECT_EQ(row.type, u"Градуировка");
    EXPECT_TRUE(view.selected.empty());
    EXPECT_TRUE(view.perAssayTabsEmpty());
    EXPECT_EQ(view.passesShown, passes + 1);
}

TEST_F(Workspace, ACalibrationChromatogramFillsTheIdentificationListAndAnAnalysisOneEmptiesIt)
{
    data.writeComponents({componentAt(u"Бензол", 2.0, 3.0), componentAt(u"Толуол", 4.0, 0)});
    const int32_t cal = calibration("cal.stg");
    const int32_t ana = analysis("ana.stg");
    add({cal, ana});

    view.click(rowOf(cal));
    ASSERT_TRUE(view.identificationFilled);
    ASSERT_EQ(view.identification.size(), 2u);
    EXPECT_EQ(view.identification[0].name, u"Бензол");
    EXPECT_TRUE(view.identification[0].found1);
    EXPECT_TRUE(view.identificationHasCalibration);
    ASSERT_EQ(view.channelLists[0].size(), 2u);
    EXPECT_EQ(view.channelLists[0][1].name, u"Толуол");
    ASSERT_EQ(view.channelLists[1].size(), 1u);
    EXPECT_DOUBLE_EQ(view.channelLists[1][0].time, 3.0);

    view.click(rowOf(ana));
    EXPECT_FALSE(view.identificationFilled);
    EXPECT_TRUE(view.identification.empty());
    ASSERT_EQ(view.channelLists[0].size(), 1u);
    EXPECT_DOUBLE_EQ(view.channelLists[0][0].area, 150);
    EXPECT_TRUE(view.channelLists[1].empty());
}

TEST_F(Workspace, TheChannelListsShowTheFirstTwoTablesByChannelNumber)
{
    AssayDraft one;
    one.channels[2] = {peakAt(u"A", 1.0, 10)};
    AssayDraft three;
    three.channels[5] = {peakAt(u"E", 5.0, 50)};
    three.channels[1] = {peakAt(u"A", 1.0, 10)};
    three.channels[3] = {peakAt(u"C", 3.0, 30), peakAt(u"D", 3.5, 35)};
    const int32_t single = data.addAssay("one.stg", one);
    const int32_t triple = data.addAssay("three.stg", three);
    add({single, triple});

    view.click(rowOf(single));
    ASSERT_EQ(view.channelLists[0].size(), 1u);
    EXPECT_EQ(view.channelLists[0][0].name, u"A");
    EXPECT_TRUE(view.channelLists[1].empty());

    view.click(rowOf(triple));
    ASSERT_EQ(view.channelLists[0].size(), 1u);
    EXPECT_EQ(view.channelLists[0][0].name, u"A");
    ASSERT_EQ(view.channelLists[1].size(), 2u);
    EXPECT_EQ(view.channelLists[1][0].name, u"C");
}

TEST_F(Workspace, ARowThatIsNotThereEmptiesThePerAssayTabs)
{
    const int32_t cal = calibration("cal.stg");
    add({cal});
    view.click(0);
    ASSERT_FALSE(view.perAssayTabsEmpty());

    workspace.recalculate(7);

    EXPECT_TRUE(view.perAssayTabsEmpty());
}

TEST_F(Workspace, WithoutARowTheFirstSelectedRowIsShown)
{
    const int32_t a = analysis("a.stg");
    const int32_t cal = calibration("cal.stg");
    add({a, cal});
    view.selected = {1, 0};  // selected without being announced

    workspace.recalculate();

    EXPECT_EQ(view.channelLists[0].size(), 1u);  // row 0: the analysis chromatogram
    EXPECT_FALSE(view.identificationFilled);
}

TEST_F(Workspace, EveryRunReadsTheComponentTableAndTheSettingsAfresh)
{
    // The channels' areas differ by half: only deviation control finds that worth a warning.
    Component benzene = componentAt(u"Бензол", 2.0, 3.0);
    benzene.deviation = 10;
    data.writeComponents({benzene});
    add({calibration("a.stg", 100, 200), calibration("b.stg", 200, 400)});
    EXPECT_EQ(view.calibration.size(), 1u);
    EXPECT_FALSE(messagesContain(u"отклик каналов различается"));

    // A dialog closed without a change still recalculates; the pass sees what the files say now.
    data.writeComponents({benzene, componentAt(u"Толуол", 4.0, 0)});
    setProfile(u"devControl", 1);
    workspace.recalculate();

    EXPECT_EQ(view.calibration.size(), 2u);
    EXPECT_TRUE(messagesContain(u"отклик каналов различается"));
}

TEST_F(Workspace, TheMessagesListShowsTheLatestPassOnly)
{
    workspace.recalculate();
    const std::vector<std::u16string> first = view.messages;
    workspace.recalculate();

    EXPECT_EQ(view.messages, first);
    EXPECT_EQ(view.messages, log.displayLines());
    ASSERT_FALSE(view.messages.empty());
    EXPECT_EQ(view.messages[0], u"Ошибки:");
    EXPECT_EQ(log.errors().size(), 2u);
}

TEST_F(Workspace, WithoutAMessagesTabTheMessagesListIsLeftAlone)
{
    setTheMessageLog(nullptr);
    view.messages = {u"earlier"};

    workspace.recalculate();

    EXPECT_EQ(view.messages, std::vector<std::u16string>({u"earlier"}));
    EXPECT_EQ(view.passesShown, 1);
}

TEST_F(Workspace, RemoveAllEmptiesTheListAndTheTabs)
{
    data.writeComponents({componentAt(u"Бензол", 2.0, 3.0)});
    add({calibration("a.stg"), calibration("b.stg")});
    view.click(0);
    ASSERT_FALSE(view.perAssayTabsEmpty());

    workspace.removeAll();

    EXPECT_TRUE(view.rows.empty());
    EXPECT_TRUE(workspace.assays().empty());
    EXPECT_TRUE(view.perAssayTabsEmpty());
    EXPECT_TRUE(messagesContain(u"загружено 0."));
}

TEST_F(Workspace, TheReportCalculationRefreshesOnlyTheMessages)
{
    data.writeComponents({componentAt(u"Бензол", 2.0, 3.0)});
    const int32_t cal = calibration("cal.stg");
    add({cal, calibration("cal2.stg")});
    view.click(rowOf(cal));
    const int passes = view.passesShown;
    const IdentificationList shown = view.identification;
    view.messages = {u"stale"};
    setProfile(u"hideNotFound", 1);
    data.writeComponents({componentAt(u"Бензол", 2.0, 3.0), componentAt(u"Толуол", 4.0, 0)});

    host::ReportCalculation report = workspace.calculateForReport();

    EXPECT_TRUE(report.settings.hideNotFound);
    EXPECT_EQ(report.result.calibration.size(), 2u);
    EXPECT_EQ(view.passesShown, passes);
    EXPECT_EQ(view.calibration.size(), 1u);
    EXPECT_EQ(view.identification.size(), shown.size());
    EXPECT_EQ(view.messages, log.displayLines());
}

TEST_F(Workspace, OpeningAsksTheHostForEverySelectedRowFromTheTop)
{
    const int32_t a = analysis("a.stg");
    const int32_t b = analysis("b.stg");
    const int32_t c = analysis("c.stg");
    add({a, b, c});
    view.selected = {2, 0};
    const int passes = view.passesShown;

    workspace.openInHost();

    EXPECT_EQ(openedFiles, std::vector<std::u16string>({workspace.assays().at(view.rows[0].assayId).fileName,
                                                        workspace.assays().at(view.rows[2].assayId).fileName}));
    EXPECT_EQ(openedArguments, std::vector<intptr_t>({1, 1}));
    EXPECT_EQ(view.passesShown, passes);
}
