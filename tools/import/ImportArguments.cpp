#include "ImportArguments.h"
#include "OptionReader.h"

#include "platform/NumberParse.h"
#include "platform/Text.h"

#include <cmath>
#include <functional>
#include <map>

namespace {

bool parseNumber(const std::string& text, double& value, bool positiveOnly)
{
    std::size_t consumed = 0;
    value = platform::strtodC(text.c_str(), &consumed);
    return !text.empty() && consumed == text.size() && std::isfinite(value) && (positiveOnly ? value > 0 : value >= 0);
}

bool parseCount(const std::string& text, int& value)
{
    double number = 0;
    if (!parseNumber(text, number, false) || number != std::floor(number) || number > 1001)
        return false;
    value = static_cast<int>(number);
    return true;
}

} // namespace

const char* importUsage()
{
    return "usage: vantrel-import --db FILE [--store DIR] [--calibration] [--mixture TEXT] [--sample TEXT]\n"
           "                      [--auto-pair] [--reintegrate] [--json FILE|-] INPUT...\n"
           "\n"
           "Imports AIA/ANDI chromatography files (netCDF) into the host database FILE (created when\n"
           "absent) and writes each injection's chromatogram file into DIR (default: the folder\n"
           "\"chromatograms\" beside the database).\n"
           "\n"
           "  INPUT            one ANDI file (channel 1), or A.cdf+B.cdf: one injection, A channel 1,\n"
           "                   B channel 2\n"
           "  --calibration    the assays are calibration runs\n"
           "  --mixture TEXT   the assays' mixture\n"
           "  --sample TEXT    the sample name, instead of the files' sample_name\n"
           "  --auto-pair      pair single files into injections by sample name and injection time,\n"
           "                   channels ordered by detector name\n"
           "  --reintegrate    integrate the raw signal even when the file has a peak table\n"
           "  --json FILE|-    one object per injection: files, assay id or refusal, peaks, warnings\n"
           "\n"
           "Integration of raw signals:\n"
           "  --smoothing N        moving-average width in points (default: from the tallest peak)\n"
           "  --slope-threshold X  slope that starts and ends a peak, in noise units (default 5)\n"
           "  --min-height X       smallest peak height in signal units (default: ten times the noise)\n"
           "  --min-area X         smallest peak area in signal units x seconds (default 0)\n"
           "  --baseline MODE      drop: perpendicular drops under fused peaks (default);\n"
           "                       valley: each peak from valley to valley\n"
           "\n"
           "  --help           this text;  --version  the program's version\n"
           "\n"
           "Exit codes: 0 every input imported, 1 bad arguments, 2 database error, 3 the --json file\n"
           "could not be written, 4 some inputs refused (the others imported).\n";
}

ImportArgumentsParse parseImportArguments(const std::vector<std::string>& arguments)
{
    ImportArgumentsParse parse;
    ImportArguments& a = parse.arguments;
    ImportOptions& o = a.options;
    IntegrationOptions& integration = o.integration;
    bool haveDatabase = false;

    tools::OptionTable table;
    table.valued = {
        {"--db", [&](const std::string& v) { o.database = v; haveDatabase = true; return !v.empty(); }},
        {"--store", [&](const std::string& v) { o.store = v; return !v.empty(); }},
        {"--mixture", [&](const std::string& v) { o.mixture = platform::utf8ToUtf16(v); return true; }},
        {"--sample", [&](const std::string& v) { o.sample = platform::utf8ToUtf16(v); return true; }},
        {"--json", [&](const std::string& v) { a.json = v; return !v.empty(); }},
        {"--smoothing", [&](const std::string& v) { return parseCount(v, integration.smoothingPoints); }},
        {"--slope-threshold", [&](const std::string& v) { return parseNumber(v, integration.slopeThreshold, true); }},
        {"--min-height", [&](const std::string& v) { return parseNumber(v, integration.minHeight, false); }},
        {"--min-area", [&](const std::string& v) { return parseNumber(v, integration.minArea, false); }},
        {"--baseline", [&](const std::string& v) {
             if (v == "drop")
                 integration.baseline = BaselineMode::Drop;
             else if (v == "valley")
                 integration.baseline = BaselineMode::Valley;
             else
                 return false;
             return true;
         }},
    };
    table.flags = {
        {"--calibration", &o.calibration}, {"--auto-pair", &o.autoPair}, {"--reintegrate", &o.reintegrate},
        {"--help", &a.help},               {"-h", &a.help},              {"--version", &a.version},
    };

    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        std::string name = arguments[i];
        if (optionsEnded || !name.starts_with("-") || name == "-") {
            a.inputs.push_back(name);
            continue;
        }
        if (name == "--") {
            optionsEnded = true;
            continue;
        }
        parse.error = tools::readOption(table, arguments, i);
        if (!parse.error.empty())
            return parse;
    }
    if (a.help || a.version)
        return parse;
    if (!haveDatabase)
        parse.error = "--db is required";
    else if (a.inputs.empty())
        parse.error = "no INPUT given";
    return parse;
}
