#include "ui/CalculationTab.h"

#include "engine/RowPresentation.h"
#include "platform/Format.h"
#include "ui/UiText.h"
#include "ui/controls/CGridCtrl.h"
#include "ui/controls/RecordRows.h"

#include <memory>

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
    list->replaceRows(std::make_unique<controls::RecordRows<QuantitationRow>>(
        quantitation, [](const QuantitationRow& result, int row, std::vector<QString>& cells) {
            controls::setCell(cells, 0, toQString(platform::format(u"%d", {row + 1})));
            controls::setCell(cells, 1, toQString(result.name));
            controls::setCell(cells, 2, toQString(quantitationStatusText(result)));
            controls::setCell(cells, 3, toQString(quantitationConcentrationText(result)));
        }));
}

} // namespace ui
