#pragma once
// The LIKE operator without regard to case or accents: "%" matches any run of units, "_" exactly
// one unit, and an escape unit makes the unit after it literal. Works in time proportional to
// pattern × text at worst, so no pattern can make it run away.
#include <optional>
#include <string_view>

namespace likematcher {

// A pattern that ends in an escape unit matches nothing.
bool matches(std::u16string_view pattern, std::u16string_view text, std::optional<char16_t> escape);

} // namespace likematcher
