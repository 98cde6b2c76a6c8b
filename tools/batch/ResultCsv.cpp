#include "ResultCsv.h"

#include "CsvFields.h"
#include "platform/Text.h"

#include <charconv>
#include <cmath>

namespace {

std::string optionalNumber(const std::optional<double>& value)
{
    return value ? roundTripNumber(*value) : std::string();
}

const char* flag(bool value) { return value ? "true" : "false"; }

} // namespace

std::string roundTripNumber(double value)
{
    if (!std::isfinite(value))
        return std::string();
    char buffer[64];
    auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return error == std::errc() ? std::string(buffer, end) : std::string();
}

std::string resultCsv(const std::vector<QuantitationRow>& quantitation, const std::vector<ParallelRuns>& runs)
{
    std::string csv = "component,concentration,unit,valid,detected,x1,x2,relativeDifference,limit,accepted\r\n";
    for (std::size_t i = 0; i < quantitation.size(); ++i) {
        const QuantitationRow& row = quantitation[i];
        const ParallelRuns none;
        const ParallelRuns& run = i < runs.size() ? runs[i] : none;
        csv += csvField(platform::utf16ToUtf8(row.name));
        csv += ',';
        if (row.valid)
            csv += roundTripNumber(row.concentration);
        csv += ",мг/дм3,";
        csv += flag(row.valid);
        csv += ',';
        csv += flag(row.detected);
        csv += ',';
        csv += run.values.size() > 0 ? roundTripNumber(run.values[0]) : std::string();
        csv += ',';
        csv += run.values.size() > 1 ? roundTripNumber(run.values[1]) : std::string();
        csv += ',';
        csv += optionalNumber(run.relativeDifference);
        csv += ',';
        csv += optionalNumber(run.limit);
        csv += ',';
        if (run.accepted)
            csv += flag(*run.accepted);
        csv += "\r\n";
    }
    return csv;
}
