#pragma once
// The component table editor (template 117): one grid row per component, cells edited in place,
// buttons to add and delete components, "Сохранить" to write the file and "Отмена" to leave.
// It works on its own copy of the table, read when it opens and written only on "Сохранить",
// so nothing it does reaches a calculation before the file is written.
//
// The main window shows it modally with exec() and recalculates when it returns, whatever the
// result.
#include "engine/Component.h"
#include "engine/ComponentTable.h"
#include "ui/controls/GridListener.h"

#include <QDialog>

#include <cstdint>
#include <string>

namespace controls {
class CGridCtrl;
} // namespace controls

namespace ui {

class DlgComponents : public QDialog, private controls::GridListener {
public:
    static constexpr int kTemplateId = 117;
    static constexpr int kGrid = 1016;
    static constexpr int kAddButton = 1018;
    static constexpr int kDeleteButton = 1017;
    static constexpr int kSaveButton = 1;
    static constexpr int kCancelButton = 2;

    // Grid columns, by what they show.
    enum Column : int {
        ColumnPosition = 0,
        ColumnName = 1,
        ColumnAltName = 2,
        ColumnTime1 = 3,
        ColumnWindow1 = 4,
        ColumnTime2 = 5,
        ColumnWindow2 = 6,
        ColumnMainChannel = 7,
        ColumnDeviation = 8,   // only when the deviation control is on
    };

    // Reads the settings and the table file; tells the analyst when there is no file yet (the
    // dialog opens all the same).
    explicit DlgComponents(QWidget* parent = nullptr);
    ~DlgComponents() override;

    const ComponentList& components() const { return components_; }
    int32_t nextNumber() const { return nextNumber_; }
    bool dirty() const { return dirty_; }
    // The table file is there but could not be read: saving asks before it replaces the file.
    bool readFailed() const { return readFailed_; }
    const std::u16string& tablePath() const { return tablePath_; }
    controls::CGridCtrl* grid() const { return grid_; }

    // The commands of the dialog's buttons.
    void addComponent();
    void deleteSelectedComponents();
    // Writes the file and closes with the OK result; when the file cannot be written the
    // analyst is told why and the dialog stays open with every edit.
    void saveAndClose();
    // "Отмена", Esc and the close box: asks first when there are unsaved changes.
    void reject() override;

private:
    int onBeginEdit(const controls::GridNotifyHeader&, int row, int column) override;
    int onCellChanged(const controls::GridNotifyHeader&, int row, int column) override;

    void setUpGrid(int32_t unitMode, bool devControl);
    void load();
    // Shows the components, one row each. False when the grid could not make a row (memory): it
    // then shows the components before that one, so each row still stands for the component at its
    // position.
    bool fillGrid();
    // After a fill that failed: one more fill, and the analyst is told once.
    void refillAfterFailure();
    // False when the text was refused (the analyst has been told why).
    bool takeCellText(int row, int column);
    bool refuseName(int row, int column, const std::u16string& typed);
    void reportSaveFailure(const ComponentTableSaveError& error);
    void reportCommandFailure();

    ComponentList components_;
    int32_t nextNumber_ = 1;
    bool dirty_ = false;
    bool readFailed_ = false;
    std::u16string tablePath_;
    controls::CGridCtrl* grid_ = nullptr;
};

} // namespace ui
