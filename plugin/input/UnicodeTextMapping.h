#pragma once
// Per-unit case mapping, case folding and accent removal for the database's text functions. Text
// is treated one UTF-16 unit at a time, as the host's own database functions do: a surrogate is
// left as it is, and so is a unit whose mapping would leave the Basic Multilingual Plane.
#include <string>
#include <string_view>

namespace unicodetext {

std::u16string fold(std::u16string_view text);
std::u16string lower(std::u16string_view text);
std::u16string upper(std::u16string_view text);
std::u16string title(std::u16string_view text);
// Canonical decomposition with the non-spacing marks dropped: "Ё" gives "Е"; a unit may give
// several units, or none when it is a mark itself.
std::u16string unaccent(std::u16string_view text);

// The unit two texts are compared by, without regard to case or accents: the unit without its
// accents (when that is a single unit), case-folded.
// Builds the tables behind unaccent() and comparisonKey() unless they are built already; raises
// std::bad_alloc when memory runs out. After it, comparisonKey() allocates nothing and cannot throw.
void prepareTables();
char16_t comparisonKey(char16_t unit);

} // namespace unicodetext
