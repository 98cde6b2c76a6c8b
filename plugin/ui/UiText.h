#pragma once
// Texts of the resource tables and the code are UTF-16; the widgets take QString.
#include <QString>

#include <string_view>

namespace ui {

inline QString toQString(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

inline QString toQString(const char16_t* text)
{
    return text ? QString::fromUtf16(text) : QString();
}

} // namespace ui
