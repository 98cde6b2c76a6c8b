#pragma once
// What one ANDI chromatography file holds, already in the host's terms: times in minutes, names
// trimmed, the injection time in seconds since 1970 UTC, "no value" amounts as 0.
#include "input/Peak.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct AndiRun {
    std::u16string sampleName;      // trimmed; may be empty
    std::u16string detectorName;    // trimmed; may be empty
    std::string injectionStamp;     // injection_date_time_stamp as written, trimmed
    int64_t injectionTime = 0;      // seconds since 1970-01-01 00:00 UTC
    bool hasPeakTable = false;      // at least one peak with a retention time and an area
    std::vector<Peak> peaks;        // in file order; times in minutes; concent from peak_amount
    std::u16string amountUnit;      // peak_amount_unit, trimmed
    // The raw signal: one time (minutes) per value. Empty when the file has none.
    std::vector<double> signalTimes;
    std::vector<double> signalValues;
    double samplingMinutes = 0;     // the sampling interval; 0 when the times are explicit
    std::vector<std::string> warnings;  // in words an analyst understands, UTF-8
};

struct AndiReadResult {
    std::optional<AndiRun> run;
    std::string refusal;            // why the file cannot be imported, when `run` is empty
};
