// Adding assays through the host's dialog: what the host's answer means, duplicates, database
// failures and unreadable chromatogram files.
#include "WorkspaceFixture.h"

#include "host/AssayAdding.h"

#include <filesystem>

namespace {

class Adding : public WorkspaceFixture {
protected:
    int32_t calibration(const std::string& file, double area = 100)
    {
        AssayDraft draft;
        draft.isCalibration = true;
        draft.sample = u"Градуировка ";
        draft.sample += static_cast<char16_t>(u'0' + nextSample++);
        draft.channels[1] = {peakAt(u"Бензол", 2.0, area, 1.0)};
        draft.channels[2] = {peakAt(u"Бензол", 3.0, area, 1.0)};
        return data.addAssay(file, draft);
    }
    int32_t analysis(const std::string& file)
    {
        AssayDraft draft;
        draft.databasePeaks = {peakAt(u"Бензол", 2.0, 150)};
        draft.channels[1] = {peakAt(u"Бензол", 2.0, 150)};
        return data.addAssay(file, draft);
    }
    int nextSample = 1;
};

} // namespace

TEST(ChosenIdCount, ReadsTheHostsAnswerWithinTheRoomGiven)
{
    EXPECT_EQ(host::chosenIdCount(0), 0);
    EXPECT_EQ(host::chosenIdCount(static_cast<intptr_t>(0x80000000u)), 0);
    EXPECT_EQ(host::chosenIdCount(static_cast<intptr_t>(INT32_MIN)), 0);  // the same, sign-extended
    EXPECT_EQ(host::chosenIdCount(-5), 0);
    EXPECT_EQ(host::chosenIdCount(3), 3);
    EXPECT_EQ(host::chosenIdCount(256), 256);
    EXPECT_EQ(host::chosenIdCount(257), 256);
    EXPECT_EQ(host::chosenIdCount(static_cast<intptr_t>(0x7FFFFFFF)), 256);
    // Only the 32-bit count counts.
    EXPECT_EQ(host::chosenIdCount(static_cast<intptr_t>(0x100000003LL)), 3);
}

TEST_F(Adding, ChosenAssaysAreListedAndNothingStaysSelected)
{
    data.writeComponents({componentAt(u"Бензол", 2.0, 3.0)});
    const int32_t a = calibration("a.stg");
    const int32_t b = analysis("b.stg");

    add({a, b});

    EXPECT_EQ(dialogCapacity, 256);
    EXPECT_TRUE(dialogWasOpen);
    EXPECT_TRUE(dialogArrayWasZero);
    EXPECT_FALSE(workspace.hostDialogOpen());
    ASSERT_EQ(workspace.assays().size(), 2u);
    ASSERT_EQ(view.rows.size(), 2u);
    EXPECT_EQ(view.rows[0].assayId, a);
    EXPECT_EQ(view.rows[0].number, u"1");
    EXPECT_EQ(view.rows[0].fileName, u"a.stg");
    EXPECT_EQ(view.rows[0].sample, u"Градуировка 1");
    EXPECT_EQ(view.rows[0].mixture, u"Смесь");
    EXPECT_EQ(view.rows[0].type, u"Градуировка");
    EXPECT_EQ(view.rows[1].assayId, b);
    EXPECT_EQ(view.rows[1].number, u"2");
    EXPECT_EQ(view.rows[1].type, u"Анализ");

    // The last row was selected (and so recalculated for), scrolled to, and deselected again.
    EXPECT_EQ(view.selectionRecalculations, std::vector<int>({1}));
    EXPECT_EQ(view.scrolledTo, 1);
    EXPECT_TRUE(view.selected.empty());
    EXPECT_TRUE(view.perAssayTabsEmpty());
    EXPECT_EQ(view.passesShown, 2);  // the selection's run and the closing run
    EXPECT_EQ(view.calibration.size(), 1u);
    EXPECT_TRUE(view.errorBoxes.empty());
    EXPECT_FALSE(view.messages.empty());
}

TEST_F(Adding, AnIdChosenTwiceOrAlreadyHeldIsLoadedOnce)
{
    const int32_t a = calibration("a.stg");
    const int32_t b = calibration("b.stg");
    const int32_t c = analysis("c.stg");

    add({a, b, a, b});
    EXPECT_EQ(view.listedIds(), std::vector<int32_t>({a, b}));

    add({b, c, a});
    EXPECT_EQ(view.listedIds(), std::vector<int32_t>({a, b, c}));
    EXPECT_EQ(view.rows[2].number, u"3");
    EXPECT_EQ(workspace.assays().size(), 3u);
}

TEST_F(Adding, NothingChosenOpensNoConnectionAndRecalculatesNothing)
{
    const int32_t a = calibration("a.stg");
    // A connection would create this file.
    const std::u16string absent = data.path16("never-opened.db");
    DataBaseConnectionBase::instance().setUri(absent.c_str());

    for (intptr_t none : {intptr_t(0), static_cast<intptr_t>(0x80000000u), static_cast<intptr_t>(INT32_MIN), intptr_t(-7)})
        add({a}, none);

    EXPECT_EQ(dialogCalls(), 4);
    EXPECT_FALSE(std::filesystem::exists(data.root() / "never-opened.db"));
    EXPECT_TRUE(workspace.assays().empty());
    EXPECT_EQ(view.passesShown, 0);
    EXPECT_TRUE(view.errorBoxes.empty());
}

TEST_F(Adding, ACountBeyondTheRoomGivenReadsTheWholeArrayOnly)
{
    std::vector<int32_t> ids;
    for (int i = 0; i < 256; ++i)
        ids.push_back(1000 + i);  // none of them exists
    const int32_t a = calibration("a.stg");
    ids[255] = a;                 // the last id the array can hold

    add(ids, 100000);

    EXPECT_EQ(view.listedIds(), std::vector<int32_t>({a}));
    EXPECT_TRUE(view.errorBoxes.empty());
}

TEST_F(Adding, InvisibleAssaysAreSkippedWithoutAMessage)
{
    AssayDraft deleted;
    deleted.isDeleted = true;
    AssayDraft hidden;
    hidden.isHidden = true;
    const int32_t d = data.addAssay("d.stg", deleted);
    const int32_t h = data.addAssay("h.stg", hidden);
    const int32_t a = analysis("a.stg");

    add({d, 4242, h, a});

    EXPECT_EQ(view.listedIds(), std::vector<int32_t>({a}));
    EXPECT_TRUE(view.errorBoxes.empty());
}

TEST_F(Adding, ADatabaseThatCannotBeReadKeepsTheEarlierAssaysAndShowsOneBox)
{
    const int32_t a = calibration("a.stg");
    add({a});
    ASSERT_EQ(workspace.assays().size(), 1u);
    const int passesBefore = view.passesShown;

    // Not a database at all.
    const std::filesystem::path garbage = data.root() / "garbage.db";
    {
        std::FILE* file = std::fopen(garbage.c_str(), "wb");
        ASSERT_NE(file, nullptr);
        std::fputs("this is not an SQLite database, only some text that is long enough to be read as a header", file);
        std::fclose(file);
    }
    const std::u16string garbagePath = data.path16("garbage.db");
    DataBaseConnectionBase::instance().setUri(garbagePath.c_str());

    add({a + 1, a + 2});

    EXPECT_EQ(view.listedIds(), std::vector<int32_t>({a}));
    EXPECT_EQ(workspace.assays().size(), 1u);
    ASSERT_EQ(view.errorBoxes.size(), 1u);
    EXPECT_NE(view.errorBoxes[0].find(u"file is not a database"), std::u16string::npos);
    EXPECT_NE(view.errorBoxes[0].find(u"Код ошибки SQLite: 26."), std::u16string::npos);
    EXPECT_GT(view.passesShown, passesBefore);  // the pipeline still ran
}

TEST_F(Adding, AQueryFailingMidwayKeepsWhatWasLoadedBeforeIt)
{
    const int32_t a = calibration("a.stg");
    const int32_t b = calibration("b.stg");
    const int32_t c = analysis("c.stg");
    // The query reads `assay` through a view that fails at run time for assay b alone.
    data.execute("ALTER TABLE assay RENAME TO assay_rows;");
    const std::string viewSql = "CREATE VIEW assay AS SELECT id, filename, sample, mixture, "
                             "CASE WHEN id = " + std::to_string(b) +
                             " THEN abs(-9223372036854775807 - 1 + 0 * id) ELSE date END AS date, "
                             "iscalibration, isdeleted, ishidden FROM assay_rows;";
    data.execute(viewSql.c_str());

    add({a, b, c});

    EXPECT_EQ(view.listedIds(), std::vector<int32_t>({a}));
    ASSERT_EQ(view.errorBoxes.size(), 1u);
    // A failed step reports the result code's own text.
    EXPECT_NE(view.errorBoxes[0].find(u"SQL logic error"), std::u16string::npos);
    EXPECT_NE(view.errorBoxes[0].find(u"Код ошибки SQLite: 1."), std::u16string::npos);
    EXPECT_TRUE(view.selected.empty());
    EXPECT_EQ(view.scrolledTo, 0);
}

TEST_F(Adding, UnreadableChromatogramsAreAddedAndListedInOneBox)
{
    AssayDraft missing;
    missing.writeFile = false;
    const int32_t x = data.addAssay("x.stg", missing);
    const int32_t y = data.addAssay("y.stg", missing);
    const int32_t a = analysis("a.stg");

    add({x, a, y});

    EXPECT_EQ(view.listedIds(), std::vector<int32_t>({x, a, y}));
    EXPECT_TRUE(workspace.assays().at(x).channelPeaks.empty());
    ASSERT_EQ(view.errorBoxes.size(), 1u);
    const std::u16string expected = u"Ошибка -1. Не удалось открыть файл.\n'" + data.path16("x.stg") +
                                    u"'.\nОшибка -1. Не удалось открыть файл.\n'" + data.path16("y.stg") + u"'.";
    EXPECT_EQ(view.errorBoxes[0], expected);
}

TEST_F(Adding, ASecondAddWhileTheHostsDialogIsOpenReturnsAtOnce)
{
    const int32_t a = analysis("a.stg");
    int nestedDialogs = 0;
    duringDialog = [&] {
        duringDialog = nullptr;
        const int before = dialogCalls();
        workspace.addFromHost();
        nestedDialogs = dialogCalls() - before;
    };

    add({a});

    EXPECT_EQ(nestedDialogs, 0);
    EXPECT_EQ(dialogCalls(), 1);
    EXPECT_EQ(view.listedIds(), std::vector<int32_t>({a}));
    EXPECT_FALSE(workspace.hostDialogOpen());
}
