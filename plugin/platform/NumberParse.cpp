#include "platform/NumberParse.h"

#include "platform/Text.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <locale.h>
#include <string>

namespace platform {

namespace {

locale_t cLocale()
{
    static locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
    return c;
}

// Narrows to ASCII; any other character ends a number anyway, so it becomes a stop byte.
std::string toAsciiStopping(std::u16string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (char16_t c : text) {
        if (c == 0)
            break;
        out.push_back(c < 0x80 ? static_cast<char>(c) : '\x7f');
    }
    return out;
}

} // namespace

double strtodC(const char* text, std::size_t* consumed)
{
    char* end = nullptr;
    double value = strtod_l(text, &end, cLocale());
    if (consumed)
        *consumed = static_cast<std::size_t>(end - text);
    return value;
}

int32_t parseIntLoose(std::u16string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && isWhite(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        negative = text[i++] == u'-';
    long long value = 0;
    bool saturated = false;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        if (!saturated) {
            value = value * 10 + (text[i] - u'0');
            if (value > static_cast<long long>(INT32_MAX) + 1)
                saturated = true;
        }
    }
    if (negative)
        value = -value;
    if (saturated || value > INT32_MAX)
        return negative ? INT32_MIN : INT32_MAX;
    if (value < INT32_MIN)
        return INT32_MIN;
    return static_cast<int32_t>(value);
}

double parseDoubleLoose(std::u16string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && isWhite(text[i]))
        ++i;
    std::string ascii = toAsciiStopping(text.substr(i));
    return strtodC(ascii.c_str());
}

double parseDecimalCommaOrPoint(std::u16string_view text)
{
    std::u16string field(trimWhite(text));
    for (char16_t& c : field)
        if (c == u',')
            c = u'.';
    return parseDoubleLoose(field);
}

} // namespace platform
