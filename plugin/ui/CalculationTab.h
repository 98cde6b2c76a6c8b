#pragma once
// The page "Расчет": each component's concentration in the two analysis chromatograms.
#include "engine/CalculationResult.h"
#include "ui/TemplatePage.h"

#include <vector>

namespace ui {

class CalculationTab : public TemplatePage {
public:
    static constexpr int kTemplateId = 138;
    static constexpr int kList = 1027;

    explicit CalculationTab(QWidget* parent);

    // Empties the list and shows one row per component; an empty sequence leaves it empty.
    void fill(const std::vector<QuantitationRow>& quantitation);
};

} // namespace ui
