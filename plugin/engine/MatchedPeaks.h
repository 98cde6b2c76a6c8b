#pragma once
// For one peak table, the peaks of every component (the peaks that peakMatches would accept), in
// table order. Built once per table and pass.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "engine/PeakNames.h"
#include "engine/PeakSearch.h"
#include "engine/ResolutionTable.h"
#include "input/AssayRecord.h"

class MatchedPeaks {
public:
    MatchedPeaks() = default;
    // When `shape` is given, the same sweep over the table learns its resolution shape as well.
    MatchedPeaks(const PeakList& table, PeakNames& names, std::size_t componentCount,
                 ResolutionShape* shape = nullptr);

    // The peaks that match component `component`: indices into the table, ascending, with their times.
    PeakMatches of(std::size_t component) const;

private:
    std::vector<int32_t> offsets_;  // component -> first entry in peaks_; one extra at the end
    std::vector<int32_t> peaks_;
    std::vector<double> times_;     // the time of each peak in peaks_
    bool timeOrdered_ = true;       // every time of the table is a number and none falls
};
