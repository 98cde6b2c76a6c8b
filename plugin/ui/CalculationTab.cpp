#include "ui/CalculationTab.h"

#include "engine/RowPresentation.h"
#include "platform/Format.h"
#include "ui/UiText.h"
#include "ui/controls/CGridCtrl.h"

namespace ui {

CalculationTab::CalculationTab(QWidget* parent) : TemplatePage(kTemplateId, parent)
{
    controls::CGridCtrl* list = grid(kList);
    if (!list)
        return;
    list->insertColumnFromResource(0, 114, 30);   // "№"
    list->insertColumnFromResource(1, 122, 130);  // "Компонент"
    list->insertColumnFromResource(2, 134, 130);  // "Статус"
    list->insertColumnFromResource(3, 146, 150);  // "Концентрация, мг/дм3"
}

void CalculationTab::fill(const std::vector<QuantitationRow>& quantitation)
{
    controls::CGridCtrl* list = grid(kList);
    if (!list)
        return;
    list->deleteAllRows();
    std::vector<QStringList> texts;
    texts.reserve(quantitation.size());
    for (const QuantitationRow& result : quantitation)
        texts.push_back({toQString(platform::format(u"%d", {static_cast<int>(texts.size()) + 1})),
                         toQString(result.name), toQString(quantitationStatusText(result)),
                         toQString(quantitationConcentrationText(result))});
    list->appendRows(texts);
}

} // namespace ui
