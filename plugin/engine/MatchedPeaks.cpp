#include "engine/MatchedPeaks.h"

#include "engine/NameKey.h"

#include <cmath>

MatchedPeaks::MatchedPeaks(const PeakList& table, const ComponentNameIndex& names, std::size_t componentCount)
    : offsets_(componentCount + 1, 0)
{
    // Two rounds over the hits (count, then place) keep every component's peaks in one array.
    std::vector<std::span<const int32_t>> hits(table.size());
    std::u16string key;
    double previousTime = -INFINITY;
    for (std::size_t p = 0; p < table.size(); ++p) {
        if (!(table[p].time >= previousTime))
            timeOrdered_ = false;
        previousTime = table[p].time;
        std::u16string_view trimmed = trimName(table[p].name);
        if (trimmed.empty())
            continue;
        foldNameKey(trimmed, key);
        hits[p] = names.componentsNamed(key);
        for (int32_t c : hits[p])
            ++offsets_[static_cast<std::size_t>(c) + 1];
    }
    for (std::size_t c = 0; c < componentCount; ++c)
        offsets_[c + 1] += offsets_[c];
    peaks_.resize(static_cast<std::size_t>(offsets_[componentCount]));
    times_.resize(peaks_.size());
    std::vector<int32_t> next(offsets_.begin(), offsets_.end() - 1);
    for (std::size_t p = 0; p < table.size(); ++p) {
        for (int32_t c : hits[p]) {
            const auto slot = static_cast<std::size_t>(next[static_cast<std::size_t>(c)]++);
            peaks_[slot] = static_cast<int32_t>(p);
            times_[slot] = table[p].time;
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
