#pragma once
// The command line of dvinar-batch, the headless front end for automation and laboratory systems.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct BatchOptions {
    std::string database;                    // --db FILE
    std::vector<int32_t> ids;                // --ids 3,5,8 (in order; repeats are skipped when loading)
    std::optional<std::string> components;   // --components FILE; default: the installed table
    int32_t unitMode = 0;                    // --unit-mode N
    bool devControl = false;                 // --dev-control
    bool hideNotFound = false;               // --hide-not-found
    std::optional<std::string> json;         // --json FILE, "-" for standard output
    std::optional<std::string> sourceXml;    // --source-xml FILE
    std::optional<std::string> report;       // --report FILE
    std::optional<std::string> templateFile; // --template FILE; default: the installed template
    std::optional<double> repeatability;     // --repeatability PCT: the limit for every component
    std::optional<std::string> limits;       // --limits FILE: limits per component name
    std::optional<std::string> csv;          // --csv FILE
    bool help = false;                       // --help, -h
    bool version = false;                    // --version
    std::vector<std::string> commandLine;    // the program and its arguments as started, for the record
};

struct BatchArgumentsParse {
    BatchOptions options;
    std::string error;   // empty when the command line was understood
};

// Accepts "--name value" and "--name=value".
BatchArgumentsParse parseBatchArguments(const std::vector<std::string>& arguments);

const char* batchUsage();
