// Any bytes given as the limits file of dvinar-batch are read or refused with a reason, never
// crash; what is read gives a limit for every name it holds, and every record split from it
// written back field by field reads back the same.
#include "CsvFields.h"
#include "RepeatabilityLimits.h"
#include "platform/Text.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    RepeatabilityLimits limits;
    std::string error;
    const bool read = readRepeatabilityLimits(text, limits, error);
    if (!read && error.empty())
        std::abort();   // a refusal always says why

    // The records as the reader sees them, after its byte-order mark.
    const std::string_view body = text.starts_with("\xEF\xBB\xBF") ? text.substr(3) : text;
    CsvRecords records;
    if (!splitCsvRecords(body, records, error))
        return 0;
    if (read)
        for (const CsvRecord& record : records)
            if (record.fields.size() == 2 && !platform::trimWhite(platform::utf8ToUtf16(record.fields[0])).empty() &&
                record.line > 1 && !limits.limitFor(platform::utf8ToUtf16(record.fields[0])))
                std::abort();   // a name the file gave has its limit

    std::string rewritten;
    for (const CsvRecord& record : records) {
        for (std::size_t f = 0; f < record.fields.size(); ++f)
            rewritten += (f ? "," : "") + csvField(record.fields[f]);
        rewritten += "\r\n";
    }
    CsvRecords again;
    if (!splitCsvRecords(rewritten, again, error) || again.size() != records.size())
        std::abort();
    for (std::size_t r = 0; r < records.size(); ++r)
        if (again[r].fields != records[r].fields)
            std::abort();
    return 0;
}
