#pragma once
// Windows language identifiers and their three-letter abbreviations (1033 -> "ENU").
#include <string>

namespace platform {

// Empty when the identifier is not known.
std::u16string languageAbbreviation(int languageId);

} // namespace platform
