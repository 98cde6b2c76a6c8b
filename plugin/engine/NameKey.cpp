#include "engine/NameKey.h"

#include "platform/Text.h"

void foldNameKey(std::u16string_view text, std::u16string& out)
{
    out.clear();
    out.reserve(text.size());
    for (char16_t c : text) {
        if (c < 0x80) {
            out.push_back(c >= u'A' && c <= u'Z' ? char16_t(c + 0x20) : c);
        } else if (c >= 0x0410 && c <= 0x042F) {        // А..Я
            out.push_back(char16_t(c + 0x20));
        } else if (c >= 0x0400 && c <= 0x040F) {        // Ѐ..Џ
            out.push_back(char16_t(c + 0x50));
        } else if (c >= 0x0430 && c <= 0x045F) {        // а..я, ѐ..џ fold to themselves
            out.push_back(c);
        } else {
            out = platform::foldCase(text);
            return;
        }
    }
}
