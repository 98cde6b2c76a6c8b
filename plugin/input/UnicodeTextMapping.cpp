#include "input/UnicodeTextMapping.h"

#include <unicode/uchar.h>
#include <unicode/unorm2.h>
#include <unicode/utf16.h>

#include <cstdint>
#include <mutex>
#include <vector>

namespace unicodetext {

namespace {

char16_t keepInPlane(char16_t unit, UChar32 mapped)
{
    return (U16_IS_SURROGATE(unit) || mapped < 0 || mapped > 0xFFFF) ? unit : static_cast<char16_t>(mapped);
}

// Accent removal asks ICU's normaliser, which is slow per call; the whole plane is worked out once
// and kept (about 200 KiB), together with the comparison keys built from it.
struct AccentTables {
    // For a unit whose unaccented form is not the unit itself: start << 8 | length in `pool`.
    std::vector<uint32_t> changed = std::vector<uint32_t>(0x10000, UINT32_MAX);
    std::u16string pool;
    std::vector<char16_t> keys = std::vector<char16_t>(0x10000);
};

std::u16string unaccentUnit(const UNormalizer2* nfd, char16_t unit)
{
    if (U16_IS_SURROGATE(unit) || !nfd)
        return std::u16string(1, unit);
    UChar decomposed[32];
    UErrorCode status = U_ZERO_ERROR;
    UChar source = unit;
    int32_t length = unorm2_normalize(nfd, &source, 1, decomposed, 32, &status);
    if (U_FAILURE(status))
        return std::u16string(1, unit);
    std::u16string out;
    for (int32_t i = 0; i < length;) {
        UChar32 c;
        U16_NEXT(decomposed, i, length, c);
        if (u_charType(c) == U_NON_SPACING_MARK)
            continue;
        if (c > 0xFFFF) {
            out.push_back(static_cast<char16_t>(U16_LEAD(c)));
            out.push_back(static_cast<char16_t>(U16_TRAIL(c)));
        } else {
            out.push_back(static_cast<char16_t>(c));
        }
    }
    return out;
}

const AccentTables& accentTables()
{
    static AccentTables tables;
    static std::once_flag once;
    std::call_once(once, [] {
        UErrorCode status = U_ZERO_ERROR;
        tables.pool.clear();  // a build that ran out of memory is started again from scratch
        const UNormalizer2* nfd = unorm2_getNFDInstance(&status);
        if (U_FAILURE(status))
            nfd = nullptr;
        for (uint32_t u = 0; u < 0x10000; ++u) {
            char16_t unit = static_cast<char16_t>(u);
            std::u16string plain = unaccentUnit(nfd, unit);
            if (!(plain.size() == 1 && plain[0] == unit)) {
                tables.changed[u] = static_cast<uint32_t>(tables.pool.size() << 8 | plain.size());
                tables.pool += plain;
            }
            char16_t base = plain.size() == 1 ? plain[0] : unit;
            tables.keys[u] = keepInPlane(base, u_foldCase(base, U_FOLD_CASE_DEFAULT));
        }
    });
    return tables;
}

template <typename Mapping>
std::u16string mapUnits(std::u16string_view text, Mapping mapping)
{
    std::u16string out(text);
    for (char16_t& unit : out)
        unit = keepInPlane(unit, mapping(unit));
    return out;
}

} // namespace

std::u16string fold(std::u16string_view text)
{
    return mapUnits(text, [](char16_t c) { return u_foldCase(c, U_FOLD_CASE_DEFAULT); });
}

std::u16string lower(std::u16string_view text)
{
    return mapUnits(text, [](char16_t c) { return u_tolower(c); });
}

std::u16string upper(std::u16string_view text)
{
    return mapUnits(text, [](char16_t c) { return u_toupper(c); });
}

std::u16string title(std::u16string_view text)
{
    return mapUnits(text, [](char16_t c) { return u_totitle(c); });
}

std::u16string unaccent(std::u16string_view text)
{
    const AccentTables& tables = accentTables();
    std::u16string out;
    out.reserve(text.size());
    for (char16_t unit : text) {
        uint32_t entry = tables.changed[unit];
        if (entry == UINT32_MAX)
            out.push_back(unit);
        else
            out.append(tables.pool, entry >> 8, entry & 0xFF);
    }
    return out;
}

void prepareTables()
{
    accentTables();
}

char16_t comparisonKey(char16_t unit)
{
    return accentTables().keys[unit];
}

} // namespace unicodetext
