#pragma once
// The command line of vexol-demo-data. The output folder is always named explicitly; an argument
// that starts with "-" is an option or an error, never a folder, so "--help" cannot become one.
#include <string>
#include <vector>

struct DemoOptions {
    std::string folder;    // the output folder (required)
    bool reset = false;    // --reset: write the component table and the profile settings again
    bool help = false;     // --help, -h
    bool version = false;  // --version
    // A generated workspace instead of the built-in demo when any of these is given; counts left
    // at 0 keep the demo's (DemoScale).
    int assays = 0;        // --assays N
    int components = 0;    // --components N
    int peaks = 0;         // --peaks N: peaks on each channel
    bool warnAll = false;  // --warn-all: channel 2 answers 10 % stronger for every compound
};

struct DemoArgumentsParse {
    DemoOptions options;
    std::string error;  // empty when the command line was understood
};

// Accepts "--name value" and "--name=value" for options that take a value.
DemoArgumentsParse parseDemoArguments(const std::vector<std::string>& arguments);

const char* demoUsage();
