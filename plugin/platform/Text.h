#pragma once
// Text conversions and comparisons shared by every layer. In memory text is UTF-16; files use
// UTF-8 or code page 1251; names are compared by Unicode case folding.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

std::u16string utf8ToUtf16(std::string_view utf8);     // invalid sequences become U+FFFD
std::string utf16ToUtf8(std::u16string_view utf16);    // unpaired surrogates become U+FFFD

// A character that code page 1251 cannot hold, found while encoding.
struct Cp1251Refusal {
    std::size_t index = 0;   // position in the UTF-16 text
    char32_t character = 0;  // the code point refused
};

// Encodes into code page 1251. Returns the refused character instead of replacing it.
std::optional<Cp1251Refusal> utf16ToCp1251(std::u16string_view text, std::string& out);
std::u16string cp1251ToUtf16(std::string_view bytes);

// Unicode default case folding; the same rules decide equality in compareNoCase.
std::u16string foldCase(std::u16string_view text);
int compareNoCase(std::u16string_view a, std::u16string_view b);
inline bool equalNoCase(std::u16string_view a, std::u16string_view b) { return compareNoCase(a, b) == 0; }

// Removes characters with Unicode's White_Space property from both ends.
std::u16string_view trimWhite(std::u16string_view text);
bool isWhite(char32_t c);

// Writes the hexadecimal code point as "U+0416".
std::u16string codePointName(char32_t c);

} // namespace platform
