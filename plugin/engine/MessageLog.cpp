#include "engine/MessageLog.h"

#include "platform/Format.h"

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
    warnings_.emplace_back(text);
}

void MessageLog::addInfo(std::u16string_view text)
{
    infos_.emplace_back(text);
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
    for (const auto& text : errors_)
        lines.push_back(u"Ошибка: " + text);
    for (const auto& text : warnings_)
        lines.push_back(u"Предупреждение: " + text);
    for (const auto& text : infos_)
        lines.push_back(u"Информация: " + text);
    return lines;
}

std::vector<std::u16string> MessageLog::displayLines() const
{
    if (empty())
        return {u"Сообщений нет!"};
    std::vector<std::u16string> lines;
    int number = 0;
    auto addGroup = [&](const char16_t* header, const std::vector<std::u16string>& texts) {
        if (texts.empty())
            return;
        lines.emplace_back(header);
        for (const auto& text : texts)
            lines.push_back(platform::format(u"    %d. %s", {++number, text}));
    };
    addGroup(u"Ошибки:", errors_);
    addGroup(u"Предупреждения:", warnings_);
    addGroup(u"Информация:", infos_);
    return lines;
}
