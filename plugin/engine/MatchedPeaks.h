#pragma once
// For one peak table, the peaks of every component (the peaks that peakMatches would accept), in
// table order. Built once per table and pass from the table's named peaks alone.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "engine/PeakNames.h"
#include "engine/PeakSearch.h"
#include "input/AssayRecord.h"
#include "input/CalculationFacts.h"
#include "input/SharedConst.h"

class MatchedPeaks {
public:
    MatchedPeaks() = default;
    // `facts` were learnt from `table` (learnTableFacts) and must outlive this object, which
    // points into them.
    MatchedPeaks(const PeakList& table, const PeakTableFacts& facts, PeakNames& names, std::size_t componentCount);
    // Learns the table's facts itself and keeps them.
    MatchedPeaks(const PeakList& table, PeakNames& names, std::size_t componentCount);

    // The peaks that match component `component`: indices into the table, ascending, with their times.
    PeakMatches of(std::size_t component) const
    {
        if (component + 1 >= offsets_.size())
            return {};
        const auto first = static_cast<std::size_t>(offsets_[component]);
        const auto count = static_cast<std::size_t>(offsets_[component + 1]) - first;
        return {std::span<const int32_t>(peaks_).subspan(first, count),
                std::span<const double>(times_).subspan(first, count), timeOrdered_};
    }
    // What the table's facts say of the peak at `position` among of(component).
    const NamedPeakFact& factAt(std::size_t component, std::size_t position) const
    {
        return *facts_[static_cast<std::size_t>(offsets_[component]) + position];
    }

private:
    void match(const PeakList& table, const PeakTableFacts& facts, PeakNames& names, std::size_t componentCount);

    std::vector<int32_t> offsets_;  // component -> first entry in peaks_; one extra at the end
    std::vector<int32_t> peaks_;
    std::vector<double> times_;     // the time of each peak in peaks_
    std::vector<const NamedPeakFact*> facts_;  // and its facts
    SharedConst<PeakTableFacts> ownFacts_;     // when learnt here
    bool timeOrdered_ = true;       // every time of the table is a number and none falls
};
