#pragma once
// How result rows are shown in words, shared by the result tabs and the report.
#include <string>

#include "engine/CalculationResult.h"

// "Идентифицирован" or "Не подтверждён".
std::u16string identificationStatusText(const IdentificationRow& row);
// A peak time found in a retention window ("%.3f"), or "---" when no peak was found there.
std::u16string foundTimeText(bool found, double time);
// A reference time ("%.3f"), or "-" when there is none to search around (not above 0).
std::u16string referenceTimeText(double time);
std::u16string quantitationStatusText(const QuantitationRow& row);
// "%.3f" of the concentration, "---" when detected without a valid concentration,
// "не обнаружено" when not detected.
std::u16string quantitationConcentrationText(const QuantitationRow& row);
