#pragma once
// What the analyst chose for one import, and what became of each input.
#include "PeakIntegrator.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct ImportOptions {
    std::string database;                   // the host database (created with its schema when absent)
    std::string store;                      // chromatogram folder; empty: "chromatograms" beside the database
    bool calibration = false;               // the assays are calibration runs
    std::optional<std::u16string> mixture;  // the assays' mixture
    std::optional<std::u16string> sample;   // replaces every file's sample_name
    bool autoPair = false;                  // group single files into two-channel injections
    bool reintegrate = false;               // integrate the raw signal even when a peak table exists
    IntegrationOptions integration;
};

struct ChannelOutcome {
    int32_t number = 0;
    std::size_t peakCount = 0;
    std::string peakSource;                 // "peak-table" or "integrated"
};

// One injection: one input as given, or a group of files found by pairing.
struct ImportOutcome {
    std::string input;                      // as the analyst wrote it, or "A+B" for a pair
    std::vector<std::string> files;
    std::optional<int64_t> assayId;         // set when imported
    std::string refusal;                    // set when refused
    std::vector<ChannelOutcome> channels;
    std::vector<std::string> warnings;
    bool imported() const { return assayId.has_value(); }
};
