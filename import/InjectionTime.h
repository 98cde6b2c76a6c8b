#pragma once
// Dates as ANDI files write them.
#include <cstdint>
#include <optional>
#include <string_view>

// "YYYYMMDDhhmmss±hhmm" (the zone may be missing: UTC) for a year from 1970 to 2100; the result is
// seconds since 1970-01-01 00:00 UTC. Anything else is empty.
std::optional<int64_t> parseAndiTimeStamp(std::string_view text);
// The free-form times some vendors add ("08/02/1985   15:10", "30-Oct-18, 17:43:05"),
// taken as UTC; empty when the text is none of the known shapes or the year is outside 1970-2100.
std::optional<int64_t> parseVendorTime(std::string_view text);
// Seconds since 1970 for a calendar date and time in UTC (proleptic Gregorian calendar).
int64_t secondsSince1970(int year, int month, int day, int hour, int minute, int second);
