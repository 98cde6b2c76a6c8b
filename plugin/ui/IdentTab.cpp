#include "ui/IdentTab.h"

#include "engine/RowPresentation.h"
#include "platform/Format.h"
#include "resources/ResourceModule.h"
#include "ui/UiText.h"
#include "ui/controls/CGridCtrl.h"

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
    list->deleteAllRows();
    retitle(*list, kRefTime1Column, hasCalibration ? 136 : 144);
    retitle(*list, kRefTime2Column, hasCalibration ? 138 : 145);
    std::vector<QStringList> texts;
    texts.reserve(rows.size());
    for (const IdentificationRow& ident : rows) {
        // The columns in order; the reference times are columns kRefTime1Column and kRefTime2Column.
        texts.push_back({toQString(platform::format(u"%d", {static_cast<int>(texts.size()) + 1})),
                         toQString(ident.name), toQString(foundTimeText(ident.found1, ident.peakTime1)),
                         toQString(referenceTimeText(ident.refTime1)),
                         toQString(foundTimeText(ident.found2, ident.peakTime2)),
                         toQString(referenceTimeText(ident.refTime2)),
                         toQString(platform::format(u"%d", {ident.mainChannel})),
                         toQString(identificationStatusText(ident))});
    }
    list->appendRows(texts);
}

void IdentTab::empty()
{
    if (controls::CGridCtrl* list = grid(kList))
        list->deleteAllRows();
}

} // namespace ui
