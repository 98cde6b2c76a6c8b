#pragma once
// How result rows are shown in words, shared by the result tabs and the report.
#include <string>

#include "engine/CalculationResult.h"

// "Идентифицирован" or "Не подтверждён".
std::u16string identificationStatusText(const IdentificationRow& row);
std::u16string quantitationStatusText(const QuantitationRow& row);
// "%.3f" of the concentration, "---" when detected without a valid concentration,
// "не обнаружено" when not detected.
std::u16string quantitationConcentrationText(const QuantitationRow& row);
