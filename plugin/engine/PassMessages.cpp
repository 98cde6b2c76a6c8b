#include "engine/PassMessages.h"

#include <charconv>

#include "platform/Format.h"

namespace {

// Room for a number that "%.1f" writes in its short form (below 1e15) and for a "%d"; longer
// numbers only cost one more allocation.
constexpr std::size_t numberRoom = 24;

constexpr std::u16string_view quoteOpen = u": \"";
constexpr std::u16string_view channelPart = u"\", канал ";
constexpr std::u16string_view outOfWindowTail = u" - время выхода вне окна.";
constexpr std::u16string_view deviationMiddle = u"\" - отклик каналов различается на ";
constexpr std::u16string_view normPart = u"% (норма ";
constexpr std::u16string_view deviationTail = u"%).";

void appendInteger(std::u16string& out, int value)
{
    char digits[16];
    const auto written = std::to_chars(digits, digits + sizeof digits, value);
    out.append(digits, written.ptr);
}

} // namespace

void appendOutOfWindowText(std::u16string& out, std::u16string_view fileName, std::u16string_view component,
                           int channel)
{
    platform::appendFormatText(out, fileName);
    out.append(quoteOpen);
    platform::appendFormatText(out, component);
    out.append(channelPart);
    appendInteger(out, channel);
    out.append(outOfWindowTail);
}

std::u16string outOfWindowText(std::u16string_view fileName, std::u16string_view component, int channel)
{
    std::u16string text;
    text.reserve(fileName.size() + quoteOpen.size() + component.size() + channelPart.size() + numberRoom +
                 outOfWindowTail.size());
    appendOutOfWindowText(text, fileName, component, channel);
    return text;
}

void appendDeviationText(std::u16string& out, std::u16string_view fileName, std::u16string_view component,
                         double deviation, double norm)
{
    platform::appendFormatText(out, fileName);
    out.append(quoteOpen);
    platform::appendFormatText(out, component);
    out.append(deviationMiddle);
    platform::appendFixed(out, deviation, 1);
    out.append(normPart);
    platform::appendFixed(out, norm, 1);
    out.append(deviationTail);
}

std::u16string deviationText(std::u16string_view fileName, std::u16string_view component, double deviation,
                             double norm)
{
    std::u16string text;
    text.reserve(fileName.size() + quoteOpen.size() + component.size() + deviationMiddle.size() + normPart.size() +
                 deviationTail.size() + 2 * numberRoom);
    appendDeviationText(text, fileName, component, deviation, norm);
    return text;
}
