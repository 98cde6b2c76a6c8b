#pragma once
// For one peak table, the peaks of every component (the peaks that peakMatches would accept), in
// table order. Built once per table and pass, so that each peak name is trimmed and folded once.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "engine/ComponentNameIndex.h"
#include "input/AssayRecord.h"

class MatchedPeaks {
public:
    MatchedPeaks() = default;
    MatchedPeaks(const PeakList& table, const ComponentNameIndex& names, std::size_t componentCount);

    // Indices into the table of the peaks that match component `component`, ascending.
    std::span<const int32_t> of(std::size_t component) const;

private:
    std::vector<int32_t> offsets_;  // component -> first entry in peaks_; one extra at the end
    std::vector<int32_t> peaks_;
};
