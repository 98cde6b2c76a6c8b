#include "report/LocalDateTime.h"

#include "platform/Format.h"

#include <ctime>
#include <limits>

std::optional<LocalCalendarTime> toLocalCalendarTime(int64_t secondsSince1970)
{
    if (secondsSince1970 < std::numeric_limits<std::time_t>::min() ||
        secondsSince1970 > std::numeric_limits<std::time_t>::max())
        return std::nullopt;
    std::time_t moment = static_cast<std::time_t>(secondsSince1970);
    std::tm fields {};
    if (!::localtime_r(&moment, &fields))
        return std::nullopt;
    // Four-digit years only: the short date format has no room for more, and earlier years are
    // not chromatography data.
    const long long year = static_cast<long long>(fields.tm_year) + 1900;
    if (year < 1 || year > 9999)
        return std::nullopt;
    LocalCalendarTime local;
    local.year = static_cast<int>(year);
    local.month = fields.tm_mon + 1;
    local.day = fields.tm_mday;
    local.hour = fields.tm_hour;
    local.minute = fields.tm_min;
    local.second = fields.tm_sec;
    return local;
}

std::u16string formatLocalDateTime(int64_t secondsSince1970)
{
    const std::optional<LocalCalendarTime> local = toLocalCalendarTime(secondsSince1970);
    if (!local)
        return u"--.--.---- --:--:--";
    const std::u16string date = platform::format(u"%02d.%02d.%04d", {local->day, local->month, local->year});
    const std::u16string time = platform::format(u"%d:%02d:%02d", {local->hour, local->minute, local->second});
    return platform::format(u"%s %s", {date, time});
}

int64_t currentTimeSeconds()
{
    return static_cast<int64_t>(std::time(nullptr));
}
