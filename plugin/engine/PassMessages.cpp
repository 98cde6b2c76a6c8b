#include "engine/PassMessages.h"

#include <charconv>

#include "platform/Format.h"

namespace {

// Room for a number that "%.1f" writes without falling back to printf (up to 1e17 or so) and for
// a "%d"; longer numbers only cost one more allocation.
constexpr std::size_t numberRoom = 24;

void appendInteger(std::u16string& out, int value)
{
    char digits[16];
    const auto written = std::to_chars(digits, digits + sizeof digits, value);
    out.append(digits, written.ptr);
}

} // namespace

std::u16string outOfWindowText(std::u16string_view fileName, std::u16string_view component, int channel)
{
    static constexpr std::u16string_view quoteOpen = u": \"";
    static constexpr std::u16string_view channelPart = u"\", канал ";
    static constexpr std::u16string_view tail = u" - время выхода вне окна.";
    std::u16string text;
    text.reserve(fileName.size() + quoteOpen.size() + component.size() + channelPart.size() + numberRoom +
                 tail.size());
    platform::appendFormatText(text, fileName);
    text.append(quoteOpen);
    platform::appendFormatText(text, component);
    text.append(channelPart);
    appendInteger(text, channel);
    text.append(tail);
    return text;
}

std::u16string deviationText(std::u16string_view fileName, std::u16string_view component, double deviation,
                             double norm)
{
    static constexpr std::u16string_view quoteOpen = u": \"";
    static constexpr std::u16string_view middle = u"\" - отклик каналов различается на ";
    static constexpr std::u16string_view normPart = u"% (норма ";
    static constexpr std::u16string_view tail = u"%).";
    std::u16string text;
    text.reserve(fileName.size() + quoteOpen.size() + component.size() + middle.size() + normPart.size() +
                 tail.size() + 2 * numberRoom);
    platform::appendFormatText(text, fileName);
    text.append(quoteOpen);
    platform::appendFormatText(text, component);
    text.append(middle);
    platform::appendFixed(text, deviation, 1);
    text.append(normPart);
    platform::appendFixed(text, norm, 1);
    text.append(tail);
    return text;
}
