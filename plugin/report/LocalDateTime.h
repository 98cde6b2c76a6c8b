#pragma once
// Local date and time as the report writes them. The user interface is Russian, so the Russian
// short date and default time formats are used ("31.12.2024 9:05:07") whatever the process
// locale: the report document comes out the same under every locale.
#include <cstdint>
#include <optional>
#include <string>

// The calendar fields of a moment in local time; empty when the platform cannot convert it.
struct LocalCalendarTime {
    int year = 0;
    int month = 0;   // 1 to 12
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

std::optional<LocalCalendarTime> toLocalCalendarTime(int64_t secondsSince1970);

// "dd.MM.yyyy H:mm:ss" in local time. A moment the platform cannot convert gives "--.--.---- --:--:--",
// so that the attribute holding it is still written.
std::u16string formatLocalDateTime(int64_t secondsSince1970);

// The current moment, seconds since 1970-01-01 UTC.
int64_t currentTimeSeconds();
