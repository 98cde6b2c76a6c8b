#include "BatchOptions.h"
#include "OptionReader.h"

#include "RepeatabilityLimits.h"

#include <charconv>
#include <functional>
#include <map>

namespace {

bool parseInt32(const std::string& text, int32_t& value)
{
    const char* begin = text.data();
    const char* end = begin + text.size();
    if (begin != end && *begin == '+')
        ++begin;
    auto [stop, error] = std::from_chars(begin, end, value);
    return error == std::errc() && stop == end && begin != end;
}

bool parseIdList(const std::string& text, std::vector<int32_t>& ids)
{
    std::size_t start = 0;
    for (;;) {
        std::size_t comma = text.find(',', start);
        std::string item = text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        int32_t id = 0;
        if (!parseInt32(item, id))
            return false;
        ids.push_back(id);
        if (comma == std::string::npos)
            return true;
        start = comma + 1;
    }
}

} // namespace

const char* batchUsage()
{
    return "usage: dvinar-batch --db FILE --ids LIST [--components FILE] [--unit-mode N] [--dev-control]\n"
           "                    [--hide-not-found] [--json FILE|-] [--source-xml FILE] [--report FILE]\n"
           "                    [--template FILE] [--repeatability PCT] [--limits FILE] [--csv FILE]\n"
           "       dvinar-batch --help | --version\n"
           "\n"
           "Loads the assays of LIST (comma-separated ids) from the host database FILE, runs the\n"
           "calculation with the component table and writes the result as JSON, the report's source\n"
           "document (UTF-16LE) and the HTML report.\n"
           "--repeatability PCT is the largest relative difference, in percent of their mean, that two\n"
           "parallel determinations may show; --limits FILE gives it per component (UTF-8 lines\n"
           "\"name,percent\"). --csv FILE writes the quantitation as comma-separated text.\n"
           "Exit codes: 0 done, 1 bad arguments, 2 database error, 3 report or output failure,\n"
           "5 some ids not found (not in the database or hidden; the others are computed).\n";
}

BatchArgumentsParse parseBatchArguments(const std::vector<std::string>& arguments)
{
    BatchArgumentsParse parse;
    BatchOptions& options = parse.options;
    bool haveDatabase = false;
    bool haveIds = false;

    tools::OptionTable table;
    table.valued = {
        {"--db", [&](const std::string& v) { options.database = v; haveDatabase = true; return !v.empty(); }},
        {"--ids", [&](const std::string& v) { options.ids.clear(); haveIds = true; return parseIdList(v, options.ids); }},
        {"--components", [&](const std::string& v) { options.components = v; return !v.empty(); }},
        {"--unit-mode", [&](const std::string& v) { return parseInt32(v, options.unitMode); }},
        {"--json", [&](const std::string& v) { options.json = v; return !v.empty(); }},
        {"--source-xml", [&](const std::string& v) { options.sourceXml = v; return !v.empty(); }},
        {"--report", [&](const std::string& v) { options.report = v; return !v.empty(); }},
        {"--template", [&](const std::string& v) { options.templateFile = v; return !v.empty(); }},
        {"--repeatability", [&](const std::string& v) { options.repeatability = parsePercent(v); return options.repeatability.has_value(); }},
        {"--limits", [&](const std::string& v) { options.limits = v; return !v.empty(); }},
        {"--csv", [&](const std::string& v) { options.csv = v; return !v.empty(); }},
    };
    table.flags = {
        {"--dev-control", &options.devControl},
        {"--hide-not-found", &options.hideNotFound},
        {"--help", &options.help},
        {"-h", &options.help},
        {"--version", &options.version},
    };

    for (std::size_t i = 0; i < arguments.size(); ++i) {
        parse.error = tools::readOption(table, arguments, i, "argument");
        if (!parse.error.empty())
            return parse;
    }
    if (options.help || options.version)
        return parse;
    if (!haveDatabase)
        parse.error = "--db is required";
    else if (!haveIds)
        parse.error = "--ids is required";
    return parse;
}
