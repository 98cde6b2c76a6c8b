#include "ui/IdentTab.h"

#include "engine/RowPresentation.h"
#include "platform/Format.h"
#include "resources/ResourceModule.h"
#include "ui/UiText.h"
#include "ui/controls/CGridCtrl.h"
#include "ui/controls/RecordRows.h"

#include <memory>

namespace ui {

namespace {

constexpr int kRefTime1Column = 3;
constexpr int kRefTime2Column = 5;

void retitle(controls::CGridCtrl& list, int column, int stringId)
{
    list.setColumnTitle(column, toQString(resources::resourceModule().loadString(stringId)));
}

} // namespace

IdentTab::IdentTab(QWidget* parent) : TemplatePage(kTemplateId, parent)
{
    controls::CGridCtrl* list = grid(kList);
    if (!list)
        return;
    list->insertColumnFromResource(0, 114, 30);   // "№"
    list->insertColumnFromResource(1, 122, 110);  // "Компонент"
    list->insertColumnFromResource(2, 135, 130);  // "Время канал 1 факт"
    list->insertColumnFromResource(3, 136, 130);  // "Время канал 1 град"
    list->insertColumnFromResource(4, 137, 130);  // "Время канал 2 факт"
    list->insertColumnFromResource(5, 138, 130);  // "Время канал 2 град"
    list->insertColumnFromResource(6, 132, 80);   // "Осн. канал"
    list->insertColumnFromResource(7, 134, 120);  // "Статус"
}

void IdentTab::fill(const IdentificationList& rows, bool hasCalibration)
{
    controls::CGridCtrl* list = grid(kList);
    if (!list)
        return;
    retitle(*list, kRefTime1Column, hasCalibration ? 136 : 144);
    retitle(*list, kRefTime2Column, hasCalibration ? 138 : 145);
    // The columns in order; the reference times are columns kRefTime1Column and kRefTime2Column.
    list->replaceRows(std::make_unique<controls::RecordRows<IdentificationRow>>(
        rows, [](const IdentificationRow& ident, int row, std::vector<QString>& cells) {
            controls::setCell(cells, 0, toQString(platform::format(u"%d", {row + 1})));
            controls::setCell(cells, 1, toQString(ident.name));
            controls::setCell(cells, 2, toQString(foundTimeText(ident.found1, ident.peakTime1)));
            controls::setCell(cells, 3, toQString(referenceTimeText(ident.refTime1)));
            controls::setCell(cells, 4, toQString(foundTimeText(ident.found2, ident.peakTime2)));
            controls::setCell(cells, 5, toQString(referenceTimeText(ident.refTime2)));
            controls::setCell(cells, 6, toQString(platform::format(u"%d", {ident.mainChannel})));
            controls::setCell(cells, 7, toQString(identificationStatusText(ident)));
        }));
}

void IdentTab::empty()
{
    if (controls::CGridCtrl* list = grid(kList))
        list->deleteAllRows();
}

} // namespace ui
