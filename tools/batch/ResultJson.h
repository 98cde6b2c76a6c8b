#pragma once
// The result of one batch run as JSON: the loaded assays in the order the pass walked them, the
// identification, calibration and quantitation rows under their records' own field names, and
// the messages of the pass.
#include <cstdint>
#include <map>
#include <string>

#include "engine/CalculationResult.h"
#include "engine/MessageLog.h"
#include "input/AssayRecord.h"

// `fileResults`: the chromatogram file's load code per assay id (0 = read).
std::string resultJson(const AssayMap& assays, const std::map<int32_t, int32_t>& fileResults,
                       const CalculationResult& result, const MessageLog& log);
