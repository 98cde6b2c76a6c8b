#include "RepeatabilityLimits.h"

#include "CsvFields.h"
#include "platform/NumberParse.h"
#include "platform/Text.h"

#include <cmath>

bool RepeatabilityLimits::add(std::u16string_view name, double percent)
{
    const std::u16string_view trimmed = platform::trimWhite(name);
    for (const Entry& entry : entries_)
        if (platform::equalNoCase(entry.name, trimmed))
            return false;
    entries_.push_back({std::u16string(trimmed), percent});
    return true;
}

std::optional<double> RepeatabilityLimits::limitFor(std::u16string_view componentName) const
{
    const std::u16string_view trimmed = platform::trimWhite(componentName);
    for (const Entry& entry : entries_)
        if (platform::equalNoCase(entry.name, trimmed))
            return entry.percent;
    return default_;
}

std::vector<std::u16string> RepeatabilityLimits::unusedNames(const std::vector<std::u16string>& componentNames) const
{
    std::vector<std::u16string> unused;
    for (const Entry& entry : entries_) {
        bool used = false;
        for (const std::u16string& name : componentNames)
            used = used || platform::equalNoCase(entry.name, platform::trimWhite(name));
        if (!used)
            unused.push_back(entry.name);
    }
    return unused;
}

std::optional<double> parsePercent(std::string_view text)
{
    std::string number(platform::utf16ToUtf8(platform::trimWhite(platform::utf8ToUtf16(text))));
    if (number.empty())
        return std::nullopt;
    for (char& c : number)
        if (c == ',')
            c = '.';
    // Only digits and one point: no sign, exponent, "nan" or "inf" passes.
    int points = 0;
    for (char c : number) {
        if (c == '.')
            ++points;
        else if (c < '0' || c > '9')
            return std::nullopt;
    }
    if (points > 1 || number == ".")
        return std::nullopt;
    std::size_t consumed = 0;
    const double value = platform::strtodC(number.c_str(), &consumed);
    if (consumed != number.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

bool readRepeatabilityLimits(std::string_view text, RepeatabilityLimits& limits, std::string& error)
{
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    if (platform::utf16ToUtf8(platform::utf8ToUtf16(text)) != text) {
        error = "the file is not UTF-8 text";
        return false;
    }
    CsvRecords records;
    if (!splitCsvRecords(text, records, error))
        return false;
    for (std::size_t r = 0; r < records.size(); ++r) {
        const CsvRecord& record = records[r];
        const std::string where = "line " + std::to_string(record.line) + ": ";
        if (record.fields.size() == 1 && platform::trimWhite(platform::utf8ToUtf16(record.fields[0])).empty())
            continue;
        if (record.fields.size() != 2) {
            error = where + "expected two fields, name and percent";
            return false;
        }
        const std::u16string name = platform::utf8ToUtf16(record.fields[0]);
        if (r == 0 && platform::equalNoCase(platform::trimWhite(name), u"name") &&
            platform::equalNoCase(platform::trimWhite(platform::utf8ToUtf16(record.fields[1])), u"percent"))
            continue;
        if (platform::trimWhite(name).empty()) {
            error = where + "the name is empty";
            return false;
        }
        const std::optional<double> percent = parsePercent(record.fields[1]);
        if (!percent) {
            error = where + "'" + record.fields[1] + "' is not a percentage";
            return false;
        }
        if (!limits.add(name, *percent)) {
            error = where + "'" + record.fields[0] + "' is named twice";
            return false;
        }
    }
    return true;
}
