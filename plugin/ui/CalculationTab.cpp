#include "ui/CalculationTab.h"

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
        list->setCellText(row, 2, result.detected ? QStringLiteral("Идентифицирован") : QStringLiteral("Не подтверждён"));
        // A detected component may still lack a concentration (no calibration line, or the
        // peaks to average were not found): "---" then, unlike a component that is absent.
        if (!result.detected)
            list->setCellText(row, 3, QStringLiteral("не обнаружено"));
        else if (result.valid)
            list->setCellFormatted(row, 3, u"%.3f", result.concentration);
        else
            list->setCellText(row, 3, QStringLiteral("---"));
    }
}

} // namespace ui
