#pragma once
// The result of one batch run as JSON: the loaded assays in the order the pass walked them, the
// identification, calibration and quantitation rows under their records' own field names, and
// the messages of the pass.
#include <cstdint>
#include <map>
#include <string>

#include <optional>
#include <vector>

#include "ParallelRuns.h"
#include "Provenance.h"
#include "engine/CalculationResult.h"
#include "engine/MessageLog.h"
#include "input/AssayRecord.h"

// What a result needs beside the calculation's own rows to be defended: the parallel
// determinations of every quantitation row and where the result came from.
struct ResultEvidence {
    std::vector<ParallelRuns> parallel;   // one per quantitation row
    std::optional<Provenance> provenance;
};

// `fileResults`: the chromatogram file's load code per assay id (0 = read). Every calibration row
// carries its line's quality; every quantitation row its `parallel` entry from `evidence` (an
// empty entry when there is none).
std::string resultJson(const AssayMap& assays, const std::map<int32_t, int32_t>& fileResults,
                       const CalculationResult& result, const MessageLog& log,
                       const ResultEvidence& evidence = {});
