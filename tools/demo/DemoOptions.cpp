#include "DemoOptions.h"
#include "OptionReader.h"

#include <functional>
#include <map>
#include <optional>

const char* demoUsage()
{
    return "usage: vexol-demo-data [--reset] [--assays N] [--components N] [--peaks N] [--warn-all] FOLDER\n"
           "       vexol-demo-data --help | --version\n"
           "\n"
           "Writes the built-in demo into FOLDER: a host database (vantrel.db) with eight chromatograms\n"
           "of spirits, the component table and the plug-in's settings in minihost's profile\n"
           "(profile.txt). The database and the chromatograms are written afresh every time; the\n"
           "component table and the settings only where missing, so an analyst's edits survive.\n"
           "\n"
           "  --reset      write the component table and the settings again as well\n"
           "  --assays N, --components N, --peaks N\n"
           "               write a generated workspace of that size instead: N-2 calibration runs\n"
           "               over 16 levels and two sample runs, N compounds, N peaks on each channel\n"
           "               (the compounds among unnamed peaks); counts not given keep the demo's\n"
           "  --warn-all   in the generated workspace channel 2 answers 10 % stronger for every\n"
           "               compound, so every calibration run warns about the channels' deviation\n"
           "  -h, --help   print this help and exit\n"
           "  --version    print the version and exit\n"
           "\n"
           "FOLDER may not start with \"-\" (write ./-name for such a folder).\n"
           "Exit codes: 0 done, 1 bad arguments or the demo could not be written.\n";
}

DemoArgumentsParse parseDemoArguments(const std::vector<std::string>& arguments)
{
    DemoArgumentsParse parse;
    DemoOptions& options = parse.options;

    // A count: a whole number from 1 to 100000.
    auto count = [](int& target) {
        return [&target](const std::string& text) {
            if (text.empty() || text.size() > 6 || text.find_first_not_of("0123456789") != std::string::npos)
                return false;
            const int value = std::stoi(text);
            if (value < 1 || value > 100000)
                return false;
            target = value;
            return true;
        };
    };
    tools::OptionTable table;
    table.valued = {
        {"--assays", count(options.assays)},
        {"--components", count(options.components)},
        {"--peaks", count(options.peaks)},
    };
    table.flags = {
        {"--reset", &options.reset},
        {"--help", &options.help},
        {"-h", &options.help},
        {"--version", &options.version},
        {"--warn-all", &options.warnAll},
    };

    bool haveFolder = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        std::string name = arguments[i];
        if (!name.starts_with("-")) {
            if (haveFolder) {
                parse.error = "one output folder only, not also '" + name + "'";
                return parse;
            }
            options.folder = name;
            haveFolder = true;
            continue;
        }
        parse.error = tools::readOption(table, arguments, i);
        if (!parse.error.empty())
            return parse;
    }
    if (options.help || options.version)
        return parse;
    if (!haveFolder)
        parse.error = "the output folder is missing";
    else if (options.folder.empty())
        parse.error = "the output folder is an empty name";
    return parse;
}
