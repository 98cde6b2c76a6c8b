#include "engine/CalculationResult.h"

const IdentificationList& CalculationResult::identificationOf(int32_t assayId) const
{
    static const IdentificationList none;
    auto found = identification.find(assayId);
    return found == identification.end() ? none : found->second;
}
