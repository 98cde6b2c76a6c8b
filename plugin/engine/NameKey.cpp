#include "engine/NameKey.h"

#include "platform/Text.h"

void foldNameKey(std::u16string_view text, std::u16string& out)
{
    out.resize(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c < 0x80) {
            out[i] = c >= u'A' && c <= u'Z' ? char16_t(c + 0x20) : c;
        } else if (c >= 0x0410 && c <= 0x042F) {        // А..Я
            out[i] = char16_t(c + 0x20);
        } else if (c >= 0x0400 && c <= 0x040F) {        // Ѐ..Џ
            out[i] = char16_t(c + 0x50);
        } else if (c >= 0x0430 && c <= 0x045F) {        // а..я, ѐ..џ fold to themselves
            out[i] = c;
        } else {
            out = platform::foldCase(text);
            return;
        }
    }
}

namespace {

bool isNameWhite(char16_t c)
{
    if (c < 0x80)
        return c == u' ' || (c >= 0x09 && c <= 0x0D);
    if (c >= 0x0400 && c <= 0x04FF)
        return false;
    return platform::isWhite(c);
}

} // namespace

std::u16string_view trimName(std::u16string_view text)
{
    std::size_t begin = 0, end = text.size();
    while (begin < end && isNameWhite(text[begin]))
        ++begin;
    while (end > begin && isNameWhite(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}
