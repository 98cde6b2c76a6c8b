#include "ui/ComponentsTab.h"

#include "platform/Format.h"
#include "ui/UiText.h"
#include "ui/controls/CGridCtrl.h"
#include "ui/controls/RecordRows.h"

#include <memory>

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
    if (!list || peaks.empty())
        return;
    // Only what the list shows is kept, and a row is formatted when it comes into view.
    struct ShownPeak {
        std::u16string name;
        double area = 0;
        double time = 0;
    };
    std::vector<ShownPeak> shown;
    shown.reserve(peaks.size());
    for (const Peak& peak : peaks)
        shown.push_back({peak.name, peak.area, peak.time});
    const int numberedAfter = list->rowCount();
    auto rows = std::make_unique<controls::RecordRows<ShownPeak>>(
        std::move(shown), [numberedAfter](const ShownPeak& peak, int row, std::vector<QString>& cells) {
            controls::setCell(cells, 0, toQString(platform::format(u"%d", {numberedAfter + row + 1})));
            controls::setCell(cells, 1, toQString(peak.name));
            controls::setCell(cells, 2, toQString(platform::format(u"%.1f", {peak.area})));
            controls::setCell(cells, 3, toQString(platform::format(u"%.3f", {peak.time})));
        });
    if (numberedAfter == 0)
        list->replaceRows(std::move(rows));
    else
        list->appendRowsFrom(std::move(rows));
}

void ComponentsTab::emptyLists()
{
    for (int listId : {kChannel1List, kChannel2List})
        if (controls::CGridCtrl* list = grid(listId))
            list->deleteAllRows();
}

} // namespace ui
