#include "engine/MatchedPeaks.h"

#include "engine/NameKey.h"

MatchedPeaks::MatchedPeaks(const PeakList& table, const ComponentNameIndex& names, std::size_t componentCount)
    : offsets_(componentCount + 1, 0)
{
    // Two rounds over the hits (count, then place) keep every component's peaks in one array.
    std::vector<std::span<const int32_t>> hits(table.size());
    std::u16string key;
    for (std::size_t p = 0; p < table.size(); ++p) {
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
    std::vector<int32_t> next(offsets_.begin(), offsets_.end() - 1);
    for (std::size_t p = 0; p < table.size(); ++p)
        for (int32_t c : hits[p])
            peaks_[static_cast<std::size_t>(next[static_cast<std::size_t>(c)]++)] = static_cast<int32_t>(p);
}

std::span<const int32_t> MatchedPeaks::of(std::size_t component) const
{
    if (component + 1 >= offsets_.size())
        return {};
    return std::span<const int32_t>(peaks_).subspan(static_cast<std::size_t>(offsets_[component]),
                                                    static_cast<std::size_t>(offsets_[component + 1] - offsets_[component]));
}
