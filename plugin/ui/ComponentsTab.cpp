#include "ui/ComponentsTab.h"

#include "ui/UiText.h"
#include "ui/controls/CGridCtrl.h"

namespace ui {

ComponentsTab::ComponentsTab(QWidget* parent) : TemplatePage(kTemplateId, parent)
{
    for (int listId : {kChannel1List, kChannel2List}) {
        controls::CGridCtrl* list = grid(listId);
        if (!list)
            continue;
        list->insertColumnFromResource(0, 114, 30);   // "№"
        list->insertColumnFromResource(1, 122, 110);  // "Компонент"
        list->insertColumnFromResource(2, 123, 110);  // "Площадь пика"
        list->insertColumnFromResource(3, 124, 110);  // "Время выхода"
    }
}

void ComponentsTab::fillList(int listId, const PeakList& peaks)
{
    controls::CGridCtrl* list = grid(listId);
    if (!list)
        return;
    for (const Peak& peak : peaks) {
        const int row = list->appendRow();
        if (row < 0)
            continue;
        list->setCellInt(row, 0, row + 1);
        list->setCellText(row, 1, toQString(peak.name));
        list->setCellFormatted(row, 2, u"%.1f", peak.area);
        list->setCellFormatted(row, 3, u"%.3f", peak.time);
    }
}

void ComponentsTab::emptyLists()
{
    for (int listId : {kChannel1List, kChannel2List})
        if (controls::CGridCtrl* list = grid(listId))
            list->deleteAllRows();
}

} // namespace ui
