#include "ui/ComponentsTab.h"

#include "platform/Format.h"
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
    std::vector<QStringList> rows;
    rows.reserve(peaks.size());
    int number = list->rowCount();
    for (const Peak& peak : peaks)
        rows.push_back({toQString(platform::format(u"%d", {++number})), toQString(peak.name),
                        toQString(platform::format(u"%.1f", {peak.area})),
                        toQString(platform::format(u"%.3f", {peak.time}))});
    list->appendRows(rows);
}

void ComponentsTab::emptyLists()
{
    for (int listId : {kChannel1List, kChannel2List})
        if (controls::CGridCtrl* list = grid(listId))
            list->deleteAllRows();
}

} // namespace ui
