#pragma once
// The command line of vantrel-import, which brings AIA/ANDI chromatograms into the host.
#include "ImportOptions.h"

#include <optional>
#include <string>
#include <vector>

// Exit codes.
enum ImportExit {
    ImportAllDone = 0,
    ImportBadArguments = 1,
    ImportDatabaseError = 2,
    ImportOutputError = 3,      // the --json file could not be written
    ImportSomeRefused = 4,
};

struct ImportArguments {
    ImportOptions options;
    std::vector<std::string> inputs;
    std::optional<std::string> json;    // --json FILE, "-" for standard output
    bool help = false;
    bool version = false;
};

struct ImportArgumentsParse {
    ImportArguments arguments;
    std::string error;   // empty when the command line was understood
};

// Accepts "--name value" and "--name=value"; "--" ends the options.
ImportArgumentsParse parseImportArguments(const std::vector<std::string>& arguments);

const char* importUsage();
