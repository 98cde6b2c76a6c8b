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
    auto addGroup = [&](std::u16string_view prefix, const MessageList& texts) {
        for (std::u16string_view text : texts) {
            std::u16string& line = lines.emplace_back();
            line.reserve(prefix.size() + text.size());
            line.append(prefix).append(text);
        }
    };
    addGroup(u"Ошибка: ", errors_);
    addGroup(u"Предупреждение: ", warnings_);
    addGroup(u"Информация: ", infos_);
    return lines;
}

std::vector<std::u16string> MessageLog::displayLines() const
{
    if (empty())
        return {u"Сообщений нет!"};
    std::vector<std::u16string> lines;
    lines.reserve(3 + errors_.size() + warnings_.size() + infos_.size());
    int number = 0;
    // Each line is "    %d. %s" of format(), written in one piece: there may be tens of thousands.
    auto addGroup = [&](const char16_t* header, const MessageList& texts) {
        if (texts.empty())
            return;
        lines.emplace_back(header);
        for (std::u16string_view text : texts) {
            char digits[16];
            const auto written = std::to_chars(digits, digits + sizeof digits, ++number);
            std::u16string& line = lines.emplace_back();
            line.reserve(4 + static_cast<std::size_t>(written.ptr - digits) + 2 + text.size());
            line.append(4, u' ');
            line.append(digits, written.ptr);
            line.append(u". ");
            platform::appendFormatText(line, text);
        }
    };
    addGroup(u"Ошибки:", errors_);
    addGroup(u"Предупреждения:", warnings_);
    addGroup(u"Информация:", infos_);
    return lines;
}
