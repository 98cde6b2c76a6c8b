#include "InjectionTime.h"

#include <array>
#include <cctype>
#include <string>
#include <vector>

namespace {

constexpr int firstYear = 1970;
constexpr int lastYear = 2100;

bool digitsAt(std::string_view text, std::size_t at, std::size_t count, int& value)
{
    if (at + count > text.size())
        return false;
    value = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        if (!std::isdigit(static_cast<unsigned char>(text[i])))
            return false;
        value = value * 10 + (text[i] - '0');
    }
    return true;
}

int daysInMonth(int year, int month)
{
    static const std::array<int, 12> days = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : days[static_cast<std::size_t>(month - 1)];
}

bool validDateTime(int year, int month, int day, int hour, int minute, int second)
{
    return year >= firstYear && year <= lastYear && month >= 1 && month <= 12 && day >= 1
        && day <= daysInMonth(year, month) && hour <= 23 && minute <= 59 && second <= 60;
}

std::string_view trim(std::string_view text)
{
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.remove_suffix(1);
    return text;
}

// Splits into runs of digits and runs of letters; everything else separates.
std::vector<std::string> tokens(std::string_view text)
{
    std::vector<std::string> result;
    std::string current;
    auto kind = [](char c) {
        unsigned char u = static_cast<unsigned char>(c);
        return std::isdigit(u) ? 1 : std::isalpha(u) ? 2 : 0;
    };
    int currentKind = 0;
    for (char c : text) {
        int k = kind(c);
        if (k != currentKind && !current.empty()) {
            result.push_back(current);
            current.clear();
        }
        currentKind = k;
        if (k != 0)
            current += c;
    }
    if (!current.empty())
        result.push_back(current);
    return result;
}

int monthByName(const std::string& name)
{
    static const char* const names[] = {"jan", "feb", "mar", "apr", "may", "jun", "jul", "aug", "sep", "oct", "nov", "dec"};
    if (name.size() < 3)
        return 0;
    std::string lower;
    for (std::size_t i = 0; i < 3; ++i)
        lower += static_cast<char>(std::tolower(static_cast<unsigned char>(name[i])));
    for (int m = 0; m < 12; ++m)
        if (lower == names[m])
            return m + 1;
    return 0;
}

bool allDigits(const std::string& token)
{
    for (char c : token)
        if (!std::isdigit(static_cast<unsigned char>(c)))
            return false;
    return !token.empty() && token.size() <= 4;
}

} // namespace

int64_t secondsSince1970(int year, int month, int day, int hour, int minute, int second)
{
    // Days from the civil date (Howard Hinnant's algorithm).
    const int y = year - (month <= 2 ? 1 : 0);
    const int era = (y >= 0 ? y : y - 399) / 400;
    const int yearOfEra = y - era * 400;
    const int dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    const int64_t days = static_cast<int64_t>(era) * 146097 + dayOfEra - 719468;
    return days * 86400 + hour * 3600 + minute * 60 + second;
}

std::optional<int64_t> parseAndiTimeStamp(std::string_view text)
{
    text = trim(text);
    int year, month, day, hour, minute, second;
    if (text.size() < 14 || !digitsAt(text, 0, 4, year) || !digitsAt(text, 4, 2, month) || !digitsAt(text, 6, 2, day)
        || !digitsAt(text, 8, 2, hour) || !digitsAt(text, 10, 2, minute) || !digitsAt(text, 12, 2, second))
        return std::nullopt;
    if (!validDateTime(year, month, day, hour, minute, second))
        return std::nullopt;
    int offsetMinutes = 0;
    if (text.size() > 14) {
        int zoneHours, zoneMinutes;
        const char sign = text[14];
        if (text.size() != 19 || (sign != '+' && sign != '-') || !digitsAt(text, 15, 2, zoneHours)
            || !digitsAt(text, 17, 2, zoneMinutes) || zoneHours > 14 || zoneMinutes > 59)
            return std::nullopt;
        offsetMinutes = (zoneHours * 60 + zoneMinutes) * (sign == '-' ? -1 : 1);
    }
    // The stamp is local time at the given offset from UTC.
    return secondsSince1970(year, month, day, hour, minute, second) - offsetMinutes * 60;
}

std::optional<int64_t> parseVendorTime(std::string_view text)
{
    std::vector<std::string> parts = tokens(trim(text));
    if (parts.size() < 5 || parts.size() > 6)
        return std::nullopt;
    int year = 0, month = 0, day = 0;
    if (int named = monthByName(parts[1]); named != 0 && allDigits(parts[0]) && allDigits(parts[2])) {
        day = std::stoi(parts[0]);       // 30-Oct-18
        month = named;
        year = std::stoi(parts[2]);
        if (parts[2].size() <= 2)
            year += year < 70 ? 2000 : 1900;
    } else if (allDigits(parts[0]) && allDigits(parts[1]) && allDigits(parts[2]) && parts[2].size() == 4) {
        month = std::stoi(parts[0]);     // 08/02/1985, month first as the US vendors write it
        day = std::stoi(parts[1]);
        year = std::stoi(parts[2]);
    } else {
        return std::nullopt;
    }
    for (std::size_t i = 3; i < parts.size(); ++i)
        if (!allDigits(parts[i]) || parts[i].size() > 2)
            return std::nullopt;
    const int hour = std::stoi(parts[3]);
    const int minute = std::stoi(parts[4]);
    const int second = parts.size() == 6 ? std::stoi(parts[5]) : 0;
    if (!validDateTime(year, month, day, hour, minute, second))
        return std::nullopt;
    return secondsSince1970(year, month, day, hour, minute, second);
}
