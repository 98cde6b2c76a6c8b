#include "platform/Text.h"

#include <unicode/ucnv.h>
#include <unicode/uchar.h>
#include <unicode/ustring.h>
#include <unicode/utf16.h>

#include <cstdio>
#include <memory>
#include <mutex>

namespace platform {

std::u16string utf8ToUtf16(std::string_view utf8)
{
    if (utf8.empty())
        return {};
    std::u16string out(utf8.size() + 1, u'\0');
    int32_t length = 0;
    UErrorCode status = U_ZERO_ERROR;
    u_strFromUTF8WithSub(reinterpret_cast<UChar*>(out.data()), static_cast<int32_t>(out.size()), &length,
                         utf8.data(), static_cast<int32_t>(utf8.size()), 0xFFFD, nullptr, &status);
    if (U_FAILURE(status))
        return {};
    out.resize(static_cast<std::size_t>(length));
    return out;
}

std::string utf16ToUtf8(std::u16string_view utf16)
{
    if (utf16.empty())
        return {};
    std::string out(utf16.size() * 3 + 1, '\0');
    int32_t length = 0;
    UErrorCode status = U_ZERO_ERROR;
    u_strToUTF8WithSub(out.data(), static_cast<int32_t>(out.size()), &length,
                       reinterpret_cast<const UChar*>(utf16.data()), static_cast<int32_t>(utf16.size()),
                       0xFFFD, nullptr, &status);
    if (U_FAILURE(status))
        return {};
    out.resize(static_cast<std::size_t>(length));
    return out;
}

namespace {

// Code page 1251 is a single-byte table; build both directions once from ICU's converter.
struct Cp1251Table {
    char16_t toUnicode[256] = {};
    bool ok = false;
};

const Cp1251Table& cp1251()
{
    static Cp1251Table table;
    static std::once_flag once;
    std::call_once(once, [] {
        UErrorCode status = U_ZERO_ERROR;
        UConverter* conv = ucnv_open("windows-1251", &status);
        if (U_FAILURE(status))
            return;
        for (int b = 0; b < 256; ++b) {
            char byte = static_cast<char>(b);
            UChar out[2] = {0xFFFD, 0};
            status = U_ZERO_ERROR;
            ucnv_reset(conv);
            int32_t n = ucnv_toUChars(conv, out, 2, &byte, 1, &status);
            table.toUnicode[b] = (U_SUCCESS(status) && n == 1) ? static_cast<char16_t>(out[0]) : u'\xFFFD';
        }
        ucnv_close(conv);
        table.ok = true;
    });
    return table;
}

int cp1251Byte(char16_t c)
{
    if (c < 0x80)
        return c;
    const Cp1251Table& t = cp1251();
    for (int b = 0x80; b < 256; ++b)
        if (t.toUnicode[b] == c && c != u'\xFFFD')
            return b;
    return -1;
}

} // namespace

std::optional<Cp1251Refusal> utf16ToCp1251(std::u16string_view text, std::string& out)
{
    out.clear();
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char16_t c = text[i];
        int b = U16_IS_SURROGATE(c) ? -1 : cp1251Byte(c);
        if (b < 0) {
            char32_t cp = c;
            if (U16_IS_LEAD(c) && i + 1 < text.size() && U16_IS_TRAIL(text[i + 1]))
                cp = U16_GET_SUPPLEMENTARY(c, text[i + 1]);
            out.clear();
            return Cp1251Refusal{i, cp};
        }
        out.push_back(static_cast<char>(b));
    }
    return std::nullopt;
}

std::u16string cp1251ToUtf16(std::string_view bytes)
{
    const Cp1251Table& t = cp1251();
    std::u16string out;
    out.reserve(bytes.size());
    for (unsigned char b : bytes)
        out.push_back(b < 0x80 ? char16_t(b) : t.toUnicode[b]);
    return out;
}

std::u16string foldCase(std::u16string_view text)
{
    if (text.empty())
        return {};
    std::u16string out(text.size() + 8, u'\0');
    for (int attempt = 0; attempt < 2; ++attempt) {
        UErrorCode status = U_ZERO_ERROR;
        int32_t n = u_strFoldCase(reinterpret_cast<UChar*>(out.data()), static_cast<int32_t>(out.size()),
                                  reinterpret_cast<const UChar*>(text.data()), static_cast<int32_t>(text.size()),
                                  U_FOLD_CASE_DEFAULT, &status);
        if (status == U_BUFFER_OVERFLOW_ERROR) {
            out.assign(static_cast<std::size_t>(n) + 1, u'\0');
            continue;
        }
        if (U_FAILURE(status))
            return std::u16string(text);
        out.resize(static_cast<std::size_t>(n));
        return out;
    }
    return std::u16string(text);
}

int compareNoCase(std::u16string_view a, std::u16string_view b)
{
    UErrorCode status = U_ZERO_ERROR;
    int r = u_strCaseCompare(reinterpret_cast<const UChar*>(a.data()), static_cast<int32_t>(a.size()),
                             reinterpret_cast<const UChar*>(b.data()), static_cast<int32_t>(b.size()),
                             U_FOLD_CASE_DEFAULT, &status);
    if (U_FAILURE(status))
        return a.compare(b);
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

bool isWhite(char32_t c)
{
    return u_isUWhiteSpace(static_cast<UChar32>(c));
}

std::u16string_view trimWhite(std::u16string_view text)
{
    std::size_t begin = 0, end = text.size();
    while (begin < end && isWhite(text[begin]))
        ++begin;
    while (end > begin && isWhite(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}

std::u16string codePointName(char32_t c)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "U+%04X", static_cast<unsigned>(c));
    return utf8ToUtf16(buffer);
}

} // namespace platform
