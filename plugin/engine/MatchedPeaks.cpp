#include "engine/MatchedPeaks.h"

#include <cmath>

namespace {

// A named peak and the components its name names; most peaks of a table carry no name.
struct NamedPeak {
    int32_t peak;
    std::span<const int32_t> components;
};

} // namespace

MatchedPeaks::MatchedPeaks(const PeakList& table, PeakNames& names, std::size_t componentCount,
                           ResolutionShape* shape)
    : offsets_(componentCount + 1, 0)
{
    // Two rounds over the hits (count, then place) keep every component's peaks in one array.
    std::vector<NamedPeak> hits;
    double previousTime = -INFINITY;
    for (std::size_t p = 0; p < table.size(); ++p) {
        const Peak& peak = table[p];
        if (shape)
            shape->add(peak);
        if (!(peak.time >= previousTime))
            timeOrdered_ = false;
        previousTime = peak.time;
        const std::span<const int32_t> components = names.componentsOf(peak.name);
        if (components.empty())
            continue;
        hits.push_back(NamedPeak{static_cast<int32_t>(p), components});
        for (int32_t c : components)
            ++offsets_[static_cast<std::size_t>(c) + 1];
    }
    for (std::size_t c = 0; c < componentCount; ++c)
        offsets_[c + 1] += offsets_[c];
    peaks_.resize(static_cast<std::size_t>(offsets_[componentCount]));
    times_.resize(peaks_.size());
    std::vector<int32_t> next(offsets_.begin(), offsets_.end() - 1);
    for (const NamedPeak& hit : hits) {
        const double time = table[static_cast<std::size_t>(hit.peak)].time;
        for (int32_t c : hit.components) {
            const auto slot = static_cast<std::size_t>(next[static_cast<std::size_t>(c)]++);
            peaks_[slot] = hit.peak;
            times_[slot] = time;
        }
    }
}

PeakMatches MatchedPeaks::of(std::size_t component) const
{
    if (component + 1 >= offsets_.size())
        return {};
    const auto first = static_cast<std::size_t>(offsets_[component]);
    const auto count = static_cast<std::size_t>(offsets_[component + 1] - offsets_[component]);
    return {std::span<const int32_t>(peaks_).subspan(first, count), std::span<const double>(times_).subspan(first, count),
            timeOrdered_};
}
