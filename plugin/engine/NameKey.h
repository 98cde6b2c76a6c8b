#pragma once
// The form in which names are compared: Unicode default case folding. Folding a name once and
// comparing the folded texts gives the same answers as comparing without regard to case, so a
// pass folds every peak name once instead of on every comparison.
#include <string>
#include <string_view>

// Writes the case-folded `text` into `out` (reusing its storage). Latin and Cyrillic letters are
// folded directly; any other character outside ASCII hands the whole text to the Unicode folding.
void foldNameKey(std::u16string_view text, std::u16string& out);

// Removes white space from both ends, as platform::trimWhite does, without asking the Unicode
// tables for the ASCII and Cyrillic letters that names mostly begin and end with.
std::u16string_view trimName(std::u16string_view text);
