#pragma once
// One loaded assay (chromatogram): the host database's row with its named peaks, and the
// chromatogram file's peak table of every detector channel. Records are plain values; copying
// one copies its texts, lists and map.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "input/CalculationFacts.h"
#include "input/InsertionOrderedMap.h"
#include "input/SharedConst.h"
#include "input/Peak.h"

using PeakList = std::vector<Peak>;

struct AssayRecord {
    std::u16string fileName;   // full path of the chromatogram file
    std::u16string sample;
    std::u16string mixture;
    int64_t date = 0;          // seconds since 1970-01-01 00:00 UTC, as the host stores it
    PeakList peaks;            // the database peaks, in the order the assay query returns them
    double volume = 0;         // passport parameter "volume"; the calculation does not use it
    bool isCalibration = false;
    std::map<int32_t, PeakList> channelPeaks;  // channel number -> the file's peak table, ascending
    // Learnt from the tables above when the assay is loaded; shared, never changed, by copies of
    // the record. Absent in records made otherwise: the calculation then learns them itself. The
    // tables do not change once the facts are learnt (a changed table is learnt afresh by every
    // pass only where its storage or length changed; drop the facts when changing a table).
    SharedConst<CalculationFacts> calculationFacts;
};

// The workspace's loaded assays by host assay id, in the order of addition.
using AssayMap = InsertionOrderedMap<AssayRecord>;
