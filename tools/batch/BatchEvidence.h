#pragma once
// The parts of a batch run that make its result defensible: the acceptance limits it is judged
// by and the record of its inputs.
#include <ctime>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "BatchOptions.h"
#include "Provenance.h"
#include "RepeatabilityLimits.h"
#include "input/AssayRecord.h"

// The limits of --repeatability and --limits FILE. False, with the reason in `error`, when the
// file cannot be read or is not a limits file.
bool loadRepeatabilityLimits(const BatchOptions& options, RepeatabilityLimits& limits, std::string& error);

// Every file the run reads, by role: the database, each loaded assay's chromatogram (in the order
// of the ids), the component table, the limits file and, when a report is made, its template.
std::vector<std::pair<const char*, std::string>> inputFiles(const BatchOptions& options, const AssayMap& assays);

// The input file that `output` would overwrite (the same file, links followed), if any.
std::optional<std::string> inputNamedBy(const std::string& output, const BatchOptions& options, const AssayMap& assays);

// Every file the run read, hashed now: the database, each loaded assay's chromatogram, the
// component table, the limits file and, when a report is made, its template.
Provenance collectProvenance(const BatchOptions& options, const AssayMap& assays, std::time_t startedAt);
