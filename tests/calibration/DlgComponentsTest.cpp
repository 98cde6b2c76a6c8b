// The component table editor against a table file in a folder of the test's own and a host
// profile: what it loads and shows, how typed cells become values, what adding and deleting do,
// and what reaches the file (or does not) when the analyst saves or leaves.
#include "CalibrationScreenshots.h"
#include "ComponentTableFolder.h"
#include "EnglishResourceScope.h"
#include "RecordingHost.h"
#include "FileFaults.h"
#include "RecordingMessageBoxes.h"
#include "host/HostBus.h"
#include "host/SettingsStore.h"
#include "ui/DialogBuilder.h"
#include "ui/DlgComponents.h"
#include "ui/controls/CGridCtrl.h"
#include "ui/controls/CGridCtrlEditCell.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <memory>

using platform::MessageBoxAnswer;
using platform::MessageBoxButtons;
using platform::MessageBoxIcon;
using ui::DlgComponents;

namespace {

const QString kNoFile = QStringLiteral("Существующий файл таблицы не был найден.");
const QString kSaveFailed = QStringLiteral("Не удалось сохранить таблицу компонентов.");

// The disk is full for as long as the object lives.
class WritesRefused {
public:
    WritesRefused() : scope_(faults_)
    {
        faults_.failing = testing_support::Op::Write;
        faults_.failCode = ENOSPC;
        faults_.failTimes = 1000;
    }

private:
    testing_support::FaultyCalls faults_;
    platform::ScopedFileSystemCalls scope_;
};

class ComponentsDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        fake.serveStandard(1049);
        host::setHostApi(fake.api());
        host::setKeyPrefix(u"plugins\\vexol");
    }
    void TearDown() override
    {
        host::setHostApi(nullptr);
        host::setKeyPrefix(u"");
    }

    void setSettings(int32_t unitMode, bool devControl)
    {
        fake.profile[u"plugins\\vexol\\Settings/unitMode"] = unitMode;
        fake.profile[u"plugins\\vexol\\Settings/devControl"] = devControl ? 1 : 0;
    }

    std::unique_ptr<DlgComponents> open()
    {
        auto dialog = std::make_unique<DlgComponents>();
        dialog->show();
        return dialog;
    }

    // Types into a cell through the grid's own editor, as a double click and Enter would.
    static void type(DlgComponents& dialog, int row, int column, const QString& text)
    {
        controls::CGridCtrlEditCell* editor = dialog.grid()->beginEdit(row, column);
        ASSERT_NE(editor, nullptr) << "column " << column << " refused";
        editor->setText(text);
        editor->finish();
    }

    static QString cell(const DlgComponents& dialog, int row, int column)
    {
        return dialog.grid()->cellText(row, column);
    }

    static void selectRows(DlgComponents& dialog, std::initializer_list<int> rows)
    {
        QItemSelectionModel* selection = dialog.grid()->selectionModel();
        selection->clearSelection();
        for (int row : rows)
            selection->select(dialog.grid()->model()->index(row, 0),
                              QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }

    static void click(DlgComponents& dialog, int id) { ui::findControlAs<QPushButton>(&dialog, id)->click(); }

    static std::vector<std::u16string> names(const DlgComponents& dialog)
    {
        std::vector<std::u16string> result;
        for (const Component& c : dialog.components())
            result.push_back(c.name);
        return result;
    }

    RecordingHost fake;
    RecordingMessageBoxes boxes;
};

} // namespace

TEST_F(ComponentsDialog, TheCloseBoxAsksLikeCancelAndEnterSaves)
{
    ComponentTableFolder folder;
    folder.writeTable({u"1;Бензол;-;1.5;5;2;5;1;0"});
    auto dialog = open();
    type(*dialog, 0, 1, "Толуол");

    // The caption's close box is "Отмена": it asks, and staying keeps every edit.
    boxes.answers = {MessageBoxAnswer::Cancel};
    dialog->close();
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "Выйти без сохранения изменений?");
    EXPECT_EQ(boxes.shown[0].buttons, MessageBoxButtons::OkCancel);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(dialog->dirty());

    // Enter, with the grid focused and no editor open, is "Сохранить".
    dialog->grid()->setFocus();
    QTest::keyClick(dialog->grid(), Qt::Key_Return);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_FALSE(dialog->dirty());
    EXPECT_EQ(boxes.shown.size(), 1u);
    EXPECT_NE(folder.readBytes().find(ComponentTableFolder::cp1251(u"Толуол")), std::string::npos);
}

TEST_F(ComponentsDialog, AnEmptyTableOpensWithoutAWordAndSavesItsHeader)
{
    // A file that holds nothing, and one that holds only the header: no component, no message.
    for (const std::string& bytes : {std::string(), ComponentTableFolder::cp1251(ComponentTableFolder::header) + "\r\n"}) {
        ComponentTableFolder folder;
        folder.writeBytes(bytes);
        auto dialog = open();
        EXPECT_TRUE(boxes.shown.empty());
        EXPECT_EQ(dialog->grid()->rowCount(), 0);
        EXPECT_TRUE(dialog->components().empty());
        EXPECT_EQ(dialog->nextNumber(), 1);
        EXPECT_FALSE(dialog->dirty());

        click(*dialog, DlgComponents::kDeleteButton);
        EXPECT_FALSE(dialog->dirty()) << "nothing to delete";
        click(*dialog, DlgComponents::kCancelButton);
        EXPECT_TRUE(boxes.shown.empty());
        EXPECT_EQ(folder.readBytes(), bytes) << "leaving writes nothing";

        dialog = open();
        click(*dialog, DlgComponents::kSaveButton);
        EXPECT_EQ(folder.readBytes(), ComponentTableFolder::cp1251(ComponentTableFolder::header) + "\r\n");
        boxes.shown.clear();
    }
}

TEST_F(ComponentsDialog, MissingFileIsToldOnceAndSavingCreatesIt)
{
    ComponentTableFolder folder;
    auto dialog = open();
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, kNoFile);
    EXPECT_EQ(boxes.shown[0].icon, MessageBoxIcon::None);
    EXPECT_EQ(boxes.shown[0].caption, "Dvinar");
    EXPECT_EQ(boxes.shown[0].buttons, MessageBoxButtons::Ok);
    EXPECT_EQ(dialog->windowTitle(), "Компоненты");
    EXPECT_EQ(dialog->grid()->rowCount(), 0);
    EXPECT_EQ(dialog->nextNumber(), 1);
    EXPECT_FALSE(dialog->dirty());
    EXPECT_EQ(QString::fromStdU16String(dialog->tablePath()), QString::fromStdString(folder.tablePath()));

    click(*dialog, DlgComponents::kSaveButton);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(folder.readBytes(), ComponentTableFolder::cp1251(ComponentTableFolder::header) + "\r\n");
    EXPECT_EQ(boxes.shown.size(), 1u);
}

TEST_F(ComponentsDialog, ColumnsFollowTheSettings)
{
    ComponentTableFolder folder;
    folder.writeTable({u"1;Бензол;Bz;1.5;5;2;4.5;2;12.5"});

    setSettings(0, false);
    {
        auto dialog = open();
        EXPECT_TRUE(boxes.shown.empty());
        const controls::CGridCtrl* grid = dialog->grid();
        ASSERT_EQ(grid->columnCount(), 8) << "no deviation column without the deviation control";
        const QStringList titles {"№", "Имя", "Альт. имя", "Время выхода (канал 1)", "Канал 1 окно, %",
                                  "Время выхода (канал 2)", "Канал 2 окно, %", "Осн. канал"};
        const int widths[] = {30, 110, 110, 140, 110, 140, 110, 70};
        for (int c = 0; c < 8; ++c) {
            EXPECT_EQ(grid->columnTitle(c), titles[c]);
            EXPECT_EQ(grid->columnWidth(c), widths[c]);
        }
        const QStringList row {"1", "Бензол", "Bz", "1.500", "5.00", "2.000", "4.50", "2"};
        for (int c = 0; c < 8; ++c)
            EXPECT_EQ(cell(*dialog, 0, c), row[c]);
        EXPECT_EQ(dialog->grid()->rowData(0)->userData, 1);
    }

    setSettings(1, true);
    auto dialog = open();
    const controls::CGridCtrl* grid = dialog->grid();
    ASSERT_EQ(grid->columnCount(), 9);
    EXPECT_EQ(grid->columnTitle(4), "Канал 1 окно, мин");
    EXPECT_EQ(grid->columnTitle(6), "Канал 2 окно, мин");
    EXPECT_EQ(grid->columnTitle(8), "Откл. %");
    EXPECT_EQ(grid->columnWidth(8), 60);
    EXPECT_EQ(cell(*dialog, 0, 4), "5.00") << "the unit changes the titles, not the numbers";
    EXPECT_EQ(cell(*dialog, 0, 8), "12.50");
}

TEST_F(ComponentsDialog, NextNumberFollowsTheLastComponentOfTheFile)
{
    ComponentTableFolder folder;
    folder.writeTable({u"1;A;-;0;0;0;0;1;0", u"2;B;-;0;0;0;0;1;0", u"5;C;-;0;0;0;0;1;0"});
    {
        auto dialog = open();
        EXPECT_EQ(dialog->nextNumber(), 6);
        click(*dialog, DlgComponents::kAddButton);
        ASSERT_EQ(dialog->components().size(), 4u);
        const Component& added = dialog->components().back();
        EXPECT_EQ(added.number, 6);
        EXPECT_EQ(added.name, u"Новый компонент");
        EXPECT_EQ(added.altName, u"-");
        EXPECT_EQ(added.mainChannel, 1);
        EXPECT_EQ(added.time1, 0);
        EXPECT_EQ(added.deviation, 0);
        EXPECT_EQ(dialog->nextNumber(), 7);
        EXPECT_TRUE(dialog->dirty());
        ASSERT_EQ(dialog->grid()->rowCount(), 4);
        EXPECT_EQ(dialog->grid()->rowData(3)->userData, 6);
        const QStringList row {"4", "Новый компонент", "-", "0.000", "0.00", "0.000", "0.00", "1"};
        for (int c = 0; c < 8; ++c)
            EXPECT_EQ(cell(*dialog, 3, c), row[c]);
    }

    // The last in file order counts, not the largest, so numbers can repeat.
    folder.writeTable({u"7;A;-;0;0;0;0;1;0", u"3;B;-;0;0;0;0;1;0"});
    {
        auto dialog = open();
        EXPECT_EQ(dialog->nextNumber(), 4);
        click(*dialog, DlgComponents::kAddButton);
        EXPECT_EQ(dialog->components().back().number, 4);
    }

    // The largest number a file can hold: the next one wraps around instead of overflowing.
    folder.writeTable({u"2147483647;A;-;0;0;0;0;1;0"});
    auto dialog = open();
    EXPECT_EQ(dialog->nextNumber(), INT32_MIN);
    click(*dialog, DlgComponents::kAddButton);
    click(*dialog, DlgComponents::kAddButton);
    EXPECT_EQ(dialog->components().back().number, INT32_MIN + 1);
}

TEST_F(ComponentsDialog, TypedCellsBecomeValuesAndFractionsAreRewritten)
{
    ComponentTableFolder folder;
    folder.writeTable({u"1;Бензол;-;1.5;5;2;5;1;0"});
    auto dialog = open();

    // Column 0 is the row's position and cannot be edited; the others can.
    EXPECT_EQ(dialog->grid()->beginEdit(0, 0), nullptr);

    // The same text again sends nothing and changes nothing.
    type(*dialog, 0, 3, "1.500");
    EXPECT_FALSE(dialog->dirty());

    type(*dialog, 0, 3, "1,25");
    EXPECT_EQ(dialog->components()[0].time1, 1.25);
    EXPECT_EQ(cell(*dialog, 0, 3), "1.250");
    EXPECT_TRUE(dialog->dirty());

    type(*dialog, 0, 5, "abc");
    EXPECT_EQ(dialog->components()[0].time2, 0);
    EXPECT_EQ(cell(*dialog, 0, 5), "0.000");

    type(*dialog, 0, 4, " 150,5 ");
    EXPECT_EQ(dialog->components()[0].window1, 150.5) << "no value is limited to a range";
    EXPECT_EQ(cell(*dialog, 0, 4), "150.50");
    type(*dialog, 0, 6, "-0.004");
    EXPECT_EQ(dialog->components()[0].window2, -0.004);
    EXPECT_EQ(cell(*dialog, 0, 6), "-0.00");

    type(*dialog, 0, 7, "2");
    EXPECT_EQ(dialog->components()[0].mainChannel, 2);
    type(*dialog, 0, 7, "Б");
    EXPECT_EQ(dialog->components()[0].mainChannel, 0) << "0 lets the pass choose the channel";
    EXPECT_EQ(cell(*dialog, 0, 7), "Б") << "the main channel cell keeps what was typed";

    type(*dialog, 0, 1, "  Толуол ");
    EXPECT_EQ(dialog->components()[0].name, u"  Толуол ");
    type(*dialog, 0, 2, "");
    EXPECT_EQ(dialog->components()[0].altName, u"");
    EXPECT_EQ(dialog->grid()->rowCount(), 1);
}

TEST_F(ComponentsDialog, DeviationsSurviveWithoutTheirColumn)
{
    ComponentTableFolder folder;
    folder.writeTable({u"3;Бензол;Bz;1.5;5;2;4.5;2;12.5", u"4;Толуол;-;3;5;4;5;0;7,25"});
    setSettings(0, false);
    auto dialog = open();
    ASSERT_EQ(dialog->grid()->columnCount(), 8);
    type(*dialog, 1, 3, "3,333");
    click(*dialog, DlgComponents::kSaveButton);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_FALSE(dialog->dirty());
    EXPECT_EQ(folder.readBytes(), ComponentTableFolder::cp1251(ComponentTableFolder::header + u"\r\n" +
                                                                u"3;Бензол;Bz;1.500;5.00;2.000;4.50;2;12.50\r\n" +
                                                                u"4;Толуол;-;3.333;5.00;4.000;5.00;0;7.25\r\n"));
}

TEST_F(ComponentsDialog, CancelAsksOnlyAfterAnEdit)
{
    ComponentTableFolder folder;
    folder.writeTable({u"1;Бензол;-;1.5;5;2;5;1;0"});
    const std::string before = folder.readBytes();
    {
        auto dialog = open();
        click(*dialog, DlgComponents::kCancelButton);
        EXPECT_TRUE(boxes.shown.empty()) << "nothing changed, nothing to ask";
        EXPECT_EQ(dialog->result(), QDialog::Rejected);
        EXPECT_FALSE(dialog->isVisible());
    }

    auto dialog = open();
    type(*dialog, 0, 1, "Толуол");
    boxes.answers = {MessageBoxAnswer::Cancel};
    click(*dialog, DlgComponents::kCancelButton);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "Выйти без сохранения изменений?");
    EXPECT_EQ(boxes.shown[0].caption, "Подтверждение");
    EXPECT_EQ(boxes.shown[0].icon, MessageBoxIcon::Question);
    EXPECT_EQ(boxes.shown[0].buttons, MessageBoxButtons::OkCancel);
    EXPECT_TRUE(dialog->isVisible()) << "the analyst chose to stay";
    EXPECT_EQ(dialog->components()[0].name, u"Толуол");

    // Esc is the same command; this time the analyst leaves.
    QTest::keyClick(dialog.get(), Qt::Key_Escape);
    EXPECT_EQ(boxes.shown.size(), 2u);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_EQ(folder.readBytes(), before);
}

TEST_F(ComponentsDialog, DeleteRemovesExactlyTheSelectedRows)
{
    ComponentTableFolder folder;
    // Numbers repeat: the row the analyst selects is what goes, not the first of its number.
    folder.writeTable({u"4;A;-;0;0;0;0;1;0", u"4;B;-;0;0;0;0;1;0", u"5;C;-;0;0;0;0;1;0", u"6;D;-;0;0;0;0;1;0"});
    auto dialog = open();

    selectRows(*dialog, {});
    click(*dialog, DlgComponents::kDeleteButton);
    EXPECT_EQ(dialog->components().size(), 4u);
    EXPECT_FALSE(dialog->dirty()) << "nothing selected, nothing changed";

    selectRows(*dialog, {1});
    click(*dialog, DlgComponents::kDeleteButton);
    EXPECT_EQ(names(*dialog), (std::vector<std::u16string> {u"A", u"C", u"D"}));
    EXPECT_TRUE(dialog->dirty());
    ASSERT_EQ(dialog->grid()->rowCount(), 3);
    EXPECT_EQ(cell(*dialog, 1, 0), "2") << "positions are renumbered";
    EXPECT_EQ(cell(*dialog, 1, 1), "C");

    selectRows(*dialog, {0, 2});
    click(*dialog, DlgComponents::kDeleteButton);
    EXPECT_EQ(names(*dialog), (std::vector<std::u16string> {u"C"}));
    EXPECT_EQ(dialog->grid()->rowData(0)->userData, 5);

    click(*dialog, DlgComponents::kSaveButton);
    EXPECT_EQ(folder.readBytes(), ComponentTableFolder::cp1251(ComponentTableFolder::header + u"\r\n" +
                                                                u"5;C;-;0.000;0.00;0.000;0.00;1;0.00\r\n"));
}

TEST_F(ComponentsDialog, RefusedCharacterIsNamedAndNothingIsLost)
{
    ComponentTableFolder folder;
    folder.writeTable({u"1;Бензол;-;1.5;5;2;5;1;0", u"2;Толуол;-;3;5;4;5;1;0"});
    const std::string before = folder.readBytes();
    auto dialog = open();
    type(*dialog, 1, 3, "3.25");
    type(*dialog, 1, 2, "Tol☃");

    click(*dialog, DlgComponents::kSaveButton);
    ASSERT_EQ(boxes.shown.size(), 1u);
    const RecordingMessageBoxes::Box& box = boxes.shown[0];
    EXPECT_TRUE(box.text.startsWith(kSaveFailed)) << box.text.toStdString();
    EXPECT_TRUE(box.text.contains("Альтернативное имя компонента \"Толуол\" (строка 2)")) << box.text.toStdString();
    EXPECT_TRUE(box.text.contains("☃")) << box.text.toStdString();
    EXPECT_TRUE(box.text.contains("U+2603")) << box.text.toStdString();
    EXPECT_EQ(box.icon, MessageBoxIcon::Warning);
    EXPECT_TRUE(dialog->isVisible()) << "the dialog stays open";
    EXPECT_TRUE(dialog->dirty());
    EXPECT_EQ(dialog->components()[1].time1, 3.25);
    EXPECT_EQ(dialog->components()[1].altName, u"Tol☃");
    EXPECT_EQ(folder.readBytes(), before) << "the file is untouched";

    // The analyst mends the name and saves.
    type(*dialog, 1, 2, "Tol");
    click(*dialog, DlgComponents::kSaveButton);
    EXPECT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(folder.readBytes(), ComponentTableFolder::cp1251(ComponentTableFolder::header + u"\r\n" +
                                                                u"1;Бензол;-;1.500;5.00;2.000;5.00;1;0.00\r\n" +
                                                                u"2;Толуол;Tol;3.250;5.00;4.000;5.00;1;0.00\r\n"));
}

TEST_F(ComponentsDialog, FailedWriteKeepsTheDialogOpenWithEveryEdit)
{
    ComponentTableFolder folder;
    folder.writeTable({u"1;Бензол;-;1.5;5;2;5;1;0"});
    const std::string before = folder.readBytes();
    auto dialog = open();
    click(*dialog, DlgComponents::kAddButton);
    type(*dialog, 1, 1, "Толуол");
    {
        WritesRefused refused;
        click(*dialog, DlgComponents::kSaveButton);
    }
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, kSaveFailed + "\nНа диске нет места.");
    EXPECT_EQ(boxes.shown[0].icon, MessageBoxIcon::Warning);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(dialog->dirty());
    EXPECT_EQ(names(*dialog), (std::vector<std::u16string> {u"Бензол", u"Толуол"}));
    EXPECT_EQ(folder.readBytes(), before);

    // Once the disk takes writes again, the same edits are saved.
    click(*dialog, DlgComponents::kSaveButton);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_FALSE(dialog->dirty());
    EXPECT_EQ(folder.readBytes(), ComponentTableFolder::cp1251(ComponentTableFolder::header + u"\r\n" +
                                                                u"1;Бензол;-;1.500;5.00;2.000;5.00;1;0.00\r\n" +
                                                                u"2;Толуол;-;0.000;0.00;0.000;0.00;1;0.00\r\n"));
}

TEST_F(ComponentsDialog, AReadOnlyTableIsRefusedWithItsReasonAndALinkedTableIsSavedThroughTheLink)
{
    ComponentTableFolder folder;
    folder.writeTable({u"1;Бензол;-;1.5;5;2;5;1;0"});
    const std::string before = folder.readBytes();
    const std::filesystem::path table = folder.tablePath();
    std::filesystem::permissions(table, std::filesystem::perms::owner_read | std::filesystem::perms::group_read);
    auto dialog = open();
    click(*dialog, DlgComponents::kAddButton);
    click(*dialog, DlgComponents::kSaveButton);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_TRUE(boxes.shown[0].text.startsWith(kSaveFailed + "\n"));
    EXPECT_TRUE(boxes.shown[0].text.contains("только для чтения")) << boxes.shown[0].text.toStdString();
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(folder.readBytes(), before);

    // The lab keeps its table elsewhere and links it in: the save lands in the linked file.
    const std::filesystem::path real = table.parent_path() / "lab.csv";
    std::filesystem::permissions(table, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    std::filesystem::rename(table, real);
    std::filesystem::create_symlink(real, table);
    click(*dialog, DlgComponents::kSaveButton);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_TRUE(std::filesystem::is_symlink(table));
    EXPECT_NE(folder.readBytes(), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(table.parent_path()), {}), 2);
}

TEST_F(ComponentsDialog, WithoutTheInstallationFoldersSavingFailsAndLeavingAsks)
{
    ComponentTableFolder folder(false);
    auto dialog = open();
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, kNoFile);
    click(*dialog, DlgComponents::kAddButton);
    click(*dialog, DlgComponents::kSaveButton);
    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(boxes.shown[1].text, kSaveFailed + "\nПапки таблицы не существует.");
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->components().size(), 1u);
    EXPECT_FALSE(folder.tableExists());

    click(*dialog, DlgComponents::kCancelButton);
    ASSERT_EQ(boxes.shown.size(), 3u);
    EXPECT_EQ(boxes.shown[2].caption, "Подтверждение");
    EXPECT_FALSE(dialog->isVisible());
}

TEST_F(ComponentsDialog, TextStillInTheEditorIsSaved)
{
    ComponentTableFolder folder;
    folder.writeTable({u"1;Бензол;-;1.5;5;2;5;1;0"});
    auto dialog = open();
    controls::CGridCtrlEditCell* editor = dialog->grid()->beginEdit(0, 3);
    ASSERT_NE(editor, nullptr);
    editor->setText("2,5");
    click(*dialog, DlgComponents::kSaveButton);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(folder.readBytes(), ComponentTableFolder::cp1251(ComponentTableFolder::header + u"\r\n" +
                                                                u"1;Бензол;-;2.500;5.00;2.000;5.00;1;0.00\r\n"));
}

TEST_F(ComponentsDialog, Screenshots)
{
    ComponentTableFolder folder;
    folder.writeTable({u"1;Бензол;Benzene;2.315;5;3.102;5;1;10",
                       u"2;Толуол;Toluene;3.874;5;4.950;5;2;10",
                       u"3;Этилбензол;-;5.620;4;6.871;4;0;15",
                       u"4;о-Ксилол;o-Xylene;6.104;4;7.330;4;1;15"});
    setSettings(0, true);
    {
        auto dialog = open();
        selectRows(*dialog, {1});
        EXPECT_TRUE(saveCalibrationScreenshot(dialog.get(), "DlgComponents_rus"));
    }
    EnglishResourceScope english;
    ASSERT_TRUE(english.loaded());
    setSettings(1, false);
    auto dialog = open();
    EXPECT_EQ(dialog->windowTitle(), "Components");
    EXPECT_TRUE(saveCalibrationScreenshot(dialog.get(), "DlgComponents_enu"));
}

TEST_F(ComponentsDialog, NameCellsRefuseWhatTheFileCannotHoldAndSayWhichCell)
{
    ComponentTableFolder folder;
    folder.writeTable({u"1;Бензол;-;1.5;5;2;5;1;0", u"2;Толуол;Tol;3;5;4;5;1;0"});
    const std::string before = folder.readBytes();
    auto dialog = open();
    const struct {
        int row;
        int column;
        QString typed;
        QString named;
        QString character;
    } cases[] = {
        {1, DlgComponents::ColumnName, QStringLiteral("Толуол;2"), QStringLiteral("«Имя» в строке 2"), QStringLiteral("U+003B")},
        {0, DlgComponents::ColumnAltName, QStringLiteral("a\tb"), QStringLiteral("«Альт. имя» в строке 1"), QStringLiteral("U+0009")},
        {0, DlgComponents::ColumnName, QStringLiteral("x") + QChar(0x01), QStringLiteral("«Имя» в строке 1"), QStringLiteral("U+0001")},
    };
    for (const auto& c : cases) {
        boxes.shown.clear();
        const QString previous = cell(*dialog, c.row, c.column);
        type(*dialog, c.row, c.column, c.typed);
        ASSERT_EQ(boxes.shown.size(), 1u) << c.typed.toStdString();
        EXPECT_TRUE(boxes.shown[0].text.contains(c.named)) << boxes.shown[0].text.toStdString();
        EXPECT_TRUE(boxes.shown[0].text.contains(c.character)) << boxes.shown[0].text.toStdString();
        EXPECT_EQ(boxes.shown[0].icon, MessageBoxIcon::Warning);
        EXPECT_EQ(cell(*dialog, c.row, c.column), previous) << "the cell shows what is stored";
    }
    EXPECT_EQ(names(*dialog), (std::vector<std::u16string>{u"Бензол", u"Толуол"}));
    EXPECT_EQ(dialog->components()[0].altName, u"-");
    EXPECT_FALSE(dialog->dirty());

    // A name that is fine is taken as typed, blanks and all, and reads back the same.
    boxes.shown.clear();
    type(*dialog, 1, DlgComponents::ColumnName, QStringLiteral(" Толуол, 2-й "));
    EXPECT_TRUE(boxes.shown.empty());
    click(*dialog, DlgComponents::kSaveButton);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    ComponentList reread;
    ASSERT_TRUE(ComponentTable::load(reread));
    ASSERT_EQ(reread.size(), 2u);
    EXPECT_EQ(reread[1].name, u" Толуол, 2-й ");
    EXPECT_EQ(reread[1].time1, 3.0);
    EXPECT_NE(folder.readBytes(), before);
}

TEST_F(ComponentsDialog, ControlCharacterFromTheFileIsRefusedOnSaveWithItsReason)
{
    ComponentTableFolder folder;
    folder.writeTable({u"1;Бен\x01зол;-;1.5;5;2;5;1;0"});
    const std::string before = folder.readBytes();
    auto dialog = open();
    click(*dialog, DlgComponents::kAddButton);
    click(*dialog, DlgComponents::kSaveButton);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_TRUE(boxes.shown[0].text.startsWith(kSaveFailed));
    EXPECT_TRUE(boxes.shown[0].text.contains(QStringLiteral("(строка 1)"))) << boxes.shown[0].text.toStdString();
    EXPECT_TRUE(boxes.shown[0].text.contains(QStringLiteral("управляющий символ"))) << boxes.shown[0].text.toStdString();
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(folder.readBytes(), before);
}

TEST_F(ComponentsDialog, UnreadableTableIsToldAndNotReplacedUnlessTheAnalystConfirms)
{
    ComponentTableFolder folder;
    folder.writeTable({u"1;Бензол;-;1.5;5;2;5;1;0", u"2;Толуол;-;3;5;4;5;1;0"});
    const std::string before = folder.readBytes();
    std::unique_ptr<DlgComponents> dialog;
    {
        testing_support::FaultyCalls faults;
        faults.failing = testing_support::Op::Read;
        faults.failCode = EIO;
        platform::ScopedFileSystemCalls scoped(faults);
        dialog = open();
    }
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_TRUE(boxes.shown[0].text.startsWith(QStringLiteral("Не удалось прочитать таблицу компонентов.\n")))
        << boxes.shown[0].text.toStdString();
    EXPECT_GT(boxes.shown[0].text.size(), 45) << "the reason follows";
    EXPECT_TRUE(dialog->readFailed());
    EXPECT_TRUE(dialog->components().empty());

    // Saving the empty rows asks first; declining writes nothing and keeps the dialog open.
    click(*dialog, DlgComponents::kAddButton);
    boxes.answers.push_back(MessageBoxAnswer::Cancel);
    click(*dialog, DlgComponents::kSaveButton);
    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(boxes.shown[1].icon, MessageBoxIcon::Question);
    EXPECT_EQ(boxes.shown[1].buttons, MessageBoxButtons::OkCancel);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(folder.readBytes(), before);

    // Confirmed, the rows of the dialog replace the file.
    boxes.answers.push_back(MessageBoxAnswer::Ok);
    click(*dialog, DlgComponents::kSaveButton);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(folder.readBytes(), ComponentTableFolder::cp1251(ComponentTableFolder::header + u"\r\n" +
                                                                u"1;Новый компонент;-;0.000;0.00;0.000;0.00;1;0.00\r\n"));
}
