#include "input/XmlValue.h"

#include "platform/NumberParse.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <system_error>

namespace xmlvalue {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// The magnitude is gathered in 64 unsigned bits with its own overflow flag, then clamped to the
// target's range: a negative text for an unsigned type gives 0, as the host's reader does.
template <typename T>
T toInteger(const char* text)
{
    if (!text)
        return 0;
    const char* s = text;
    while (isBlank(*s))
        ++s;
    bool negative = *s == '-';
    if (*s == '+' || *s == '-')
        ++s;
    uint64_t magnitude = 0;
    bool overflow = false;
    if (s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        s += 2;
        for (int d; (d = hexDigit(*s)) >= 0; ++s) {
            if (magnitude > (std::numeric_limits<uint64_t>::max() >> 4))
                overflow = true;
            magnitude = (magnitude << 4) | static_cast<uint64_t>(d);
        }
    } else {
        for (; *s >= '0' && *s <= '9'; ++s) {
            uint64_t digit = static_cast<uint64_t>(*s - '0');
            if (magnitude > (std::numeric_limits<uint64_t>::max() - digit) / 10)
                overflow = true;
            magnitude = magnitude * 10 + digit;
        }
    }
    using Limits = std::numeric_limits<T>;
    if (negative) {
        if constexpr (!Limits::is_signed) {
            return 0;
        } else {
            const uint64_t limit = static_cast<uint64_t>(Limits::max()) + 1;
            if (overflow || magnitude >= limit)
                return Limits::min();
            return static_cast<T>(-static_cast<int64_t>(magnitude));
        }
    }
    if (overflow || magnitude > static_cast<uint64_t>(Limits::max()))
        return Limits::max();
    return static_cast<T>(magnitude);
}

} // namespace

int32_t toInt32(const char* text) { return toInteger<int32_t>(text); }
int64_t toInt64(const char* text) { return toInteger<int64_t>(text); }
uint32_t toUInt32(const char* text) { return toInteger<uint32_t>(text); }

double toDouble(const char* text)
{
    if (!text)
        return 0;
    // Our own writer's texts take the fast road; anything from_chars does not read to the end
    // (blanks, a "+", hexadecimal, overflow) goes to strtod, which decides.
    std::size_t length = std::strlen(text);
    double value = 0;
    auto [end, error] = std::from_chars(text, text + length, value);
    if (error == std::errc() && end == text + length && length > 0)
        return value;
    return platform::strtodC(text);
}

bool toBool(const char* text)
{
    if (!text)
        return false;
    char c = text[0];
    return c == '1' || c == 't' || c == 'T' || c == 'y' || c == 'Y';
}

namespace {

using Wide = unsigned __int128;

constexpr std::array<Wide, 21> powersOfTen = [] {
    std::array<Wide, 21> powers{};
    Wide power = 1;
    for (Wide& p : powers) {
        p = power;
        power *= 10;
    }
    return powers;
}();

// "%.17g" for magnitudes in [1e-4, 1e16), where it is fixed-point notation, computed exactly in
// 128-bit integers: the value m·2^e scaled by 10^s lands between 10^16 and 10^17, its integer part
// and remainder give the seventeen digits rounded to nearest, ties to even, as printf rounds.
// False (nothing written) for any other value; the general formatter takes those.
bool putFixed17(char*& out, double value)
{
    const double magnitude = std::fabs(value);
    if (!(magnitude >= 1e-4 && magnitude < 1e16))
        return false;
    int binaryExponent = 0;
    const double fraction = std::frexp(magnitude, &binaryExponent);  // magnitude = fraction·2^binaryExponent
    const uint64_t mantissa = static_cast<uint64_t>(std::ldexp(fraction, 53));
    const int shift = 53 - binaryExponent;  // magnitude = mantissa / 2^shift; shift in [-1, 66]
    int decimalExponent = static_cast<int>(std::floor(std::log10(magnitude)));
    uint64_t digits = 0;
    for (int attempt = 0; attempt < 3; ++attempt) {
        const int scale = 16 - decimalExponent;  // in [1, 20] for this range, give or take one
        if (scale < 0 || scale > 20)
            return false;
        const Wide scaled = Wide{mantissa} * powersOfTen[static_cast<std::size_t>(scale)];  // < 2^120
        Wide whole = scaled;
        bool roundUp = false;
        if (shift > 0) {
            whole = scaled >> shift;
            const Wide remainder = scaled - (whole << shift);
            const Wide half = Wide{1} << (shift - 1);
            roundUp = remainder > half || (remainder == half && (whole & 1) != 0);
        } else {
            whole = scaled << -shift;
        }
        if (whole < powersOfTen[16]) {
            --decimalExponent;
            continue;
        }
        if (whole >= powersOfTen[17]) {
            ++decimalExponent;
            continue;
        }
        digits = static_cast<uint64_t>(whole) + (roundUp ? 1 : 0);
        if (digits == static_cast<uint64_t>(powersOfTen[17])) {  // 99…9.5 rounds up to the next power of ten
            digits = static_cast<uint64_t>(powersOfTen[16]);
            ++decimalExponent;
        }
        break;
    }
    if (digits == 0 || decimalExponent >= 16)
        return false;
    char text[17];
    for (int i = 16; i >= 0; --i) {
        text[i] = static_cast<char>('0' + digits % 10);
        digits /= 10;
    }
    int last = 16;  // trailing zeros of the fraction are dropped, as %g does
    const int integerDigits = decimalExponent + 1;
    while (last >= integerDigits && last > 0 && text[last] == '0')
        --last;
    if (value < 0)
        *out++ = '-';
    if (integerDigits > 0) {
        for (int i = 0; i < integerDigits; ++i)
            *out++ = text[i];
        if (last >= integerDigits) {
            *out++ = '.';
            for (int i = integerDigits; i <= last; ++i)
                *out++ = text[i];
        }
    } else {
        *out++ = '0';
        *out++ = '.';
        for (int i = integerDigits; i < 0; ++i)
            *out++ = '0';
        for (int i = 0; i <= last; ++i)
            *out++ = text[i];
    }
    return true;
}

} // namespace

char* putDouble(char* buffer, double value)
{
    // The text of printf's "%.17g" in the C locale, without printf's cost: a file with a
    // thousand-peak table writes thousands of these. Zero, the value of most unused fields, is
    // "0" or "-0"; the usual magnitudes take the exact integer route; the rest to_chars, which
    // gives printf's text by definition.
    if (value == 0) {
        char* end = buffer;
        if (std::signbit(value))
            *end++ = '-';
        *end++ = '0';
        return end;
    }
    char* end = buffer;
    if (putFixed17(end, value))
        return end;
    return std::to_chars(buffer, buffer + numberTextSize, value, std::chars_format::general, 17).ptr;
}

char* putInt64(char* buffer, int64_t value)
{
    return std::to_chars(buffer, buffer + numberTextSize, value).ptr;
}

char* putUInt32(char* buffer, uint32_t value)
{
    return std::to_chars(buffer, buffer + numberTextSize, value).ptr;
}

std::string fromDouble(double value)
{
    char buffer[numberTextSize];
    return std::string(buffer, putDouble(buffer, value));
}

std::string fromInt64(int64_t value)
{
    char buffer[numberTextSize];
    return std::string(buffer, putInt64(buffer, value));
}

std::string fromUInt32(uint32_t value)
{
    char buffer[numberTextSize];
    return std::string(buffer, putUInt32(buffer, value));
}

} // namespace xmlvalue
