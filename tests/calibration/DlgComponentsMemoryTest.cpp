// The components dialog when the grid cannot make a row (no memory for its texts and record): the
// row never appears, and the dialog keeps its table matching the rows shown and tells the analyst
// once.
// This program replaces operator new (FailingAllocation.cpp), so it stands apart from the other
// dialog tests.
#include "ComponentTableFolder.h"
#include "FailingAllocation.h"
#include "RecordingHost.h"
#include "RecordingMessageBoxes.h"
#include "host/HostBus.h"
#include "host/SettingsStore.h"
#include "ui/DialogBuilder.h"
#include "ui/DlgComponents.h"
#include "ui/controls/CGridCtrl.h"

#include <QAbstractItemModel>
#include <QItemSelectionModel>
#include <QPushButton>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

using ui::DlgComponents;

namespace {

const QString kCommandFailed = QStringLiteral("Не удалось изменить таблицу компонентов.");

// Makes the next allocation fail at the moment the grid starts to make a new row. Every fill of
// the dialog's grid empties it first; the test hears of that emptying last of all the model's
// listeners, and the next allocation after it is the storage of the first new row (its texts and
// its record are made together, before the view hears of the row). fired() tells whether the
// failure really struck.
class RecordFailure {
public:
    explicit RecordFailure(controls::CGridCtrl& grid)
    {
        connection_ = QObject::connect(grid.model(), &QAbstractItemModel::rowsRemoved,
                                       [this](const QModelIndex&, int, int) {
                                           if (armed_) {
                                               armed_ = false;
                                               failing_allocation::failAfter(0);
                                           }
                                       });
    }
    ~RecordFailure()
    {
        QObject::disconnect(connection_);
        failing_allocation::disarm();
    }
    void armForNextRow() { armed_ = true; }

private:
    QMetaObject::Connection connection_;
    bool armed_ = false;
};

class ComponentsDialogMemory : public ::testing::Test {
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

    // The grid's rows, their records and the dialog's table tell the same story.
    static void expectConsistent(const DlgComponents& dialog, const std::vector<std::u16string>& names)
    {
        const controls::CGridCtrl& grid = *dialog.grid();
        ASSERT_EQ(dialog.components().size(), names.size());
        ASSERT_EQ(grid.rowCount(), static_cast<int>(names.size()));
        for (int row = 0; row < grid.rowCount(); ++row) {
            SCOPED_TRACE(row);
            EXPECT_EQ(dialog.components()[std::size_t(row)].name, names[std::size_t(row)]);
            EXPECT_EQ(grid.cellText(row, DlgComponents::ColumnName), QString::fromStdU16String(names[std::size_t(row)]));
            const controls::GridRowData* record = grid.rowData(row);
            ASSERT_NE(record, nullptr);
            EXPECT_EQ(record->userData, dialog.components()[std::size_t(row)].number);
        }
    }

    RecordingHost fake;
    RecordingMessageBoxes boxes;
};

} // namespace

TEST_F(ComponentsDialogMemory, ARowWithoutARecordIsTakenBackAndToldOnce)
{
    struct Case {
        const char* name;
        int button;
        std::vector<std::u16string> after;  // the table and the grid once the command is over
        bool dirty;
    };
    const Case cases[] = {
        // The new component goes with its row: nothing the analyst cannot see is saved.
        {"adding", DlgComponents::kAddButton, {u"A", u"B", u"C"}, false},
        // The deletion stands; the grid is filled again once and shows what is left.
        {"deleting", DlgComponents::kDeleteButton, {u"A", u"C"}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ComponentTableFolder folder;
        folder.writeTable({u"1;A;-;0;0;0;0;1;0", u"2;B;-;0;0;0;0;1;0", u"5;C;-;0;0;0;0;1;0"});
        auto dialog = std::make_unique<DlgComponents>();
        dialog->show();
        ASSERT_TRUE(boxes.shown.empty());
        dialog->grid()->selectionModel()->select(dialog->grid()->model()->index(1, 0),
                                                 QItemSelectionModel::Select | QItemSelectionModel::Rows);
        {
            RecordFailure failure(*dialog->grid());
            failure.armForNextRow();
            ui::findControlAs<QPushButton>(dialog.get(), c.button)->click();
            ASSERT_TRUE(failing_allocation::fired()) << "the allocation did not fail where the test aimed";
        }
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_EQ(boxes.shown[0].text, kCommandFailed);
        expectConsistent(*dialog, c.after);
        EXPECT_EQ(dialog->dirty(), c.dirty);
        EXPECT_EQ(dialog->nextNumber(), 6) << "a number handed to no component is handed out again";

        // The grid works on as before: the next command adds its row and record.
        ui::findControlAs<QPushButton>(dialog.get(), DlgComponents::kAddButton)->click();
        std::vector<std::u16string> more = c.after;
        more.push_back(u"Новый компонент");
        expectConsistent(*dialog, more);
        EXPECT_EQ(boxes.shown.size(), 1u);
        EXPECT_EQ(dialog->components().back().number, 6);

        // What is saved is what was shown.
        ui::findControlAs<QPushButton>(dialog.get(), DlgComponents::kSaveButton)->click();
        const std::string saved = folder.readBytes();
        EXPECT_NE(saved.find("\r\n6;"), std::string::npos);
        for (const std::u16string name : {u"A", u"B", u"C"}) {
            const bool shown = std::find(more.begin(), more.end(), name) != more.end();
            EXPECT_EQ(saved.find(ComponentTableFolder::cp1251(u";" + name + u";")) != std::string::npos, shown);
        }
        boxes.shown.clear();
    }
}
