#include "engine/MatchedPeaks.h"

#include "engine/TableFacts.h"

namespace {

// A named peak and the components its name names.
struct NamedPeak {
    const NamedPeakFact* peak;
    std::span<const int32_t> components;
};

} // namespace

MatchedPeaks::MatchedPeaks(const PeakList& table, const PeakTableFacts& facts, PeakNames& names,
                           std::size_t componentCount)
{
    match(table, facts, names, componentCount);
}

MatchedPeaks::MatchedPeaks(const PeakList& table, PeakNames& names, std::size_t componentCount)
    : ownFacts_(SharedConst<PeakTableFacts>::make(learnTableFacts(table)))
{
    match(table, *ownFacts_, names, componentCount);
}

void MatchedPeaks::match(const PeakList& table, const PeakTableFacts& facts, PeakNames& names,
                         std::size_t componentCount)
{
    offsets_.assign(componentCount + 1, 0);
    timeOrdered_ = facts.timeOrdered;
    // Two rounds over the hits (count, then place) keep every component's peaks in one array.
    std::vector<NamedPeak> hits;
    hits.reserve(facts.named.size());
    for (const NamedPeakFact& named : facts.named) {
        const std::span<const int32_t> components =
            names.componentsOf(table[static_cast<std::size_t>(named.index)].name, named.nameHash);
        if (components.empty())
            continue;
        hits.push_back(NamedPeak{&named, components});
        for (int32_t c : components)
            ++offsets_[static_cast<std::size_t>(c) + 1];
    }
    for (std::size_t c = 0; c < componentCount; ++c)
        offsets_[c + 1] += offsets_[c];
    const auto total = static_cast<std::size_t>(offsets_[componentCount]);
    peaks_.resize(total);
    times_.resize(total);
    facts_.resize(total);
    std::vector<int32_t> next(offsets_.begin(), offsets_.end() - 1);
    for (const NamedPeak& hit : hits) {
        for (int32_t c : hit.components) {
            const auto slot = static_cast<std::size_t>(next[static_cast<std::size_t>(c)]++);
            peaks_[slot] = hit.peak->index;
            times_[slot] = hit.peak->time;
            facts_[slot] = hit.peak;
        }
    }
}
