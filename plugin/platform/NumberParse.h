#pragma once
// Number parsing in the C locale, for text the analyst typed or a file holds.
#include <cstdint>
#include <string_view>

namespace platform {

// Like atoi: leading white space skipped, an optional sign, decimal digits up to the first
// character that is not one; no digits give 0. Values beyond int32 saturate.
int32_t parseIntLoose(std::u16string_view text);

// Like atof in the C locale: leading white space skipped, conversion stops at the first
// character that cannot continue the number; nothing gives 0. "nan", "inf" and overflow
// ("1e400") give what strtod gives.
double parseDoubleLoose(std::u16string_view text);

// The component table's rule for fractional fields: trim, every "," becomes ".", then
// parseDoubleLoose. A comma and a point both serve as the decimal separator.
double parseDecimalCommaOrPoint(std::u16string_view text);

// strtod in the C locale on 8-bit text; *consumed gets the number of characters used.
double strtodC(const char* text, std::size_t* consumed = nullptr);

} // namespace platform
