#include "ui/CalculationTab.h"

#include "engine/RowPresentation.h"
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
    for (const QuantitationRow& result : quantitation) {
        const int row = list->appendRow();
        if (row < 0)
            continue;
        list->setCellInt(row, 0, row + 1);
        list->setCellText(row, 1, toQString(result.name));
        list->setCellText(row, 2, toQString(quantitationStatusText(result)));
        list->setCellText(row, 3, toQString(quantitationConcentrationText(result)));
    }
}

} // namespace ui
