#include "engine/MessageLog.h"

#include "platform/Format.h"

#include <charconv>

namespace {
MessageLog* registeredLog = nullptr;
}

MessageLog* theMessageLog()
{
    return registeredLog;
}

void setTheMessageLog(MessageLog* log)
{
    registeredLog = log;
}

void MessageLog::addError(std::u16string_view format, int value)
{
    errors_.push_back(platform::format(format, {value}));
}

void MessageLog::addWarning(std::u16string_view format, std::u16string_view text)
{
    warnings_.push_back(platform::format(format, {text}));
}

void MessageLog::addWarning(std::u16string_view text)
{
    warnings_.push_back(text);
}

void MessageLog::addInfo(std::u16string_view text)
{
    infos_.push_back(text);
}

void MessageLog::clear()
{
    errors_.clear();
    warnings_.clear();
    infos_.clear();
}

std::vector<std::u16string> MessageLog::flattened() const
{
    std::vector<std::u16string> lines;
    lines.reserve(errors_.size() + warnings_.size() + infos_.size());
    visitFlattened([&](std::u16string_view prefix, std::u16string_view text) {
        std::u16string& line = lines.emplace_back();
        line.reserve(prefix.size() + text.size());
        line.append(prefix).append(text);
    });
    return lines;
}

namespace {

constexpr std::u16string_view noMessagesLine = u"Сообщений нет!";

struct DisplayGroup {
    std::u16string_view header;
    const MessageList* texts;
};

} // namespace

std::size_t MessageLog::displayLineCount() const
{
    if (empty())
        return 1;
    std::size_t count = errors_.size() + warnings_.size() + infos_.size();
    for (const MessageList* group : {&errors_, &warnings_, &infos_})
        count += group->empty() ? 0 : 1;
    return count;
}

std::u16string MessageLog::displayLine(std::size_t index) const
{
    if (empty())
        return index == 0 ? std::u16string(noMessagesLine) : std::u16string();
    const DisplayGroup groups[] = {{u"Ошибки:", &errors_}, {u"Предупреждения:", &warnings_}, {u"Информация:", &infos_}};
    // Messages are numbered across the groups; the headers take a line each but no number.
    std::size_t numbered = 0;
    for (const DisplayGroup& group : groups) {
        const std::size_t size = group.texts->size();
        if (size == 0)
            continue;
        if (index == 0)
            return std::u16string(group.header);
        if (index <= size) {
            const std::u16string_view text = (*group.texts)[index - 1];
            // Each line is "    %d. %s" of format(), written in one piece.
            char digits[24];
            const auto written = std::to_chars(digits, digits + sizeof digits, numbered + index);
            std::u16string line;
            line.reserve(4 + static_cast<std::size_t>(written.ptr - digits) + 2 + text.size());
            line.append(4, u' ');
            line.append(digits, written.ptr);
            line.append(u". ");
            platform::appendFormatText(line, text);
            return line;
        }
        index -= size + 1;
        numbered += size;
    }
    return {};
}

std::vector<std::u16string> MessageLog::displayLines() const
{
    const std::size_t count = displayLineCount();
    std::vector<std::u16string> lines;
    lines.reserve(count);
    for (std::size_t i = 0; i < count; ++i)
        lines.push_back(displayLine(i));
    return lines;
}
