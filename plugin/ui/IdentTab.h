#pragma once
// The page "Идентификация": how each component was identified in the selected calibration
// chromatogram, on both channels.
#include "engine/CalculationResult.h"
#include "ui/TemplatePage.h"

namespace ui {

class IdentTab : public TemplatePage {
public:
    static constexpr int kTemplateId = 102;
    static constexpr int kList = 1027;

    explicit IdentTab(QWidget* parent);

    // Empties the list and shows one row per component. The reference-time columns are titled
    // "град" when the workspace holds a calibration chromatogram (the times come from it) and
    // "табл" when they are the component table's own.
    void fill(const IdentificationList& rows, bool hasCalibration);
    void empty();
};

} // namespace ui
