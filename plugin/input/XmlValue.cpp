#include "input/XmlValue.h"

#include "platform/NumberParse.h"

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

char* putDouble(char* buffer, double value)
{
    // The text of printf's "%.17g" in the C locale, which to_chars gives by definition, without
    // printf's cost: a file with a thousand-peak table writes thousands of these.
    // Zero, the value of most unused fields, is "0" or "-0" in that format too.
    if (value == 0) {
        char* end = buffer;
        if (std::signbit(value))
            *end++ = '-';
        *end++ = '0';
        return end;
    }
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
