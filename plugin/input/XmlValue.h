#pragma once
// Conversions between the chromatogram document's "value" texts and numbers. They follow the
// rules the host's writer and reader use, and never the process locale: a point is always the
// decimal separator, even after the user interface has switched to a decimal-comma locale.
#include <cstddef>
#include <cstdint>
#include <string>

namespace xmlvalue {

// Optional leading blanks, optional sign, then decimal digits or "0x" and hexadecimal digits;
// stops at the first other character; saturates at the type's range. A null text gives 0.
int32_t toInt32(const char* text);
int64_t toInt64(const char* text);
uint32_t toUInt32(const char* text);

// strtod in the C locale: leading white space, "." as the separator, "nan", "inf" and hexadecimal
// floats as strtod reads them; text that does not start with a number gives 0.
double toDouble(const char* text);

// True when the first character is "1", "t", "T", "y" or "Y".
bool toBool(const char* text);

// Writing: "%.17g" in the C locale, so that every double reads back to the same bits.
std::string fromDouble(double value);
std::string fromInt64(int64_t value);
std::string fromUInt32(uint32_t value);
inline const char* fromBool(bool value) { return value ? "true" : "false"; }

// The same texts written into a caller's buffer of at least numberTextSize characters, for writers
// that put out thousands of them. Each returns the end of the text (no terminating NUL).
inline constexpr std::size_t numberTextSize = 32;
char* putDouble(char* buffer, double value);
char* putInt64(char* buffer, int64_t value);
char* putUInt32(char* buffer, uint32_t value);

} // namespace xmlvalue
