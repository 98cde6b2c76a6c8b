#include "engine/PeakNames.h"

#include <cstring>

#include "engine/NameKey.h"

uint32_t PeakNames::hashOf(std::u16string_view name)
{
    // Four UTF-16 units at a time: names are short, and this runs for every named peak.
    uint64_t hash = 0x9E3779B97F4A7C15ull ^ name.size();
    std::size_t at = 0;
    for (; at + 4 <= name.size(); at += 4) {
        uint64_t block;
        std::memcpy(&block, name.data() + at, sizeof block);
        hash = (hash ^ block) * 0xFF51AFD7ED558CCDull;
        hash ^= hash >> 32;
    }
    for (; at < name.size(); ++at)
        hash = (hash ^ name[at]) * 0xC4CEB9FE1A85EC53ull;
    hash ^= hash >> 29;
    return static_cast<uint32_t>(hash ^ (hash >> 32));
}

std::span<const int32_t> PeakNames::lookUp(std::u16string_view name)
{
    const std::u16string_view trimmed = trimName(name);
    if (trimmed.empty())
        return {};
    foldNameKey(trimmed, key_);
    return index_.componentsNamed(key_);
}

void PeakNames::grow()
{
    slots_.assign(slots_.empty() ? 256 : slots_.size() * 2, -1);
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t e = 0; e < entries_.size(); ++e) {
        std::size_t at = entries_[e].hash & mask;
        while (slots_[at] >= 0)
            at = (at + 1) & mask;
        slots_[at] = static_cast<int32_t>(e);
    }
}

std::span<const int32_t> PeakNames::componentsOf(std::u16string_view name, uint32_t hash)
{
    if (name.empty())
        return {};
    if (slots_.empty())
        grow();
    const std::size_t mask = slots_.size() - 1;
    std::size_t at = hash & mask;
    for (; slots_[at] >= 0; at = (at + 1) & mask) {
        const Entry& entry = entries_[static_cast<std::size_t>(slots_[at])];
        // Byte for byte: char_traits<char16_t> compares unit by unit.
        if (entry.hash == hash && entry.nameLength == name.size() &&
            std::memcmp(names_.data() + entry.nameStart, name.data(), name.size() * sizeof(char16_t)) == 0)
            return entry.components;
    }
    const std::span<const int32_t> components = lookUp(name);
    if (entries_.size() < rememberLimit) {
        // The slot takes the entry only once the entry and its name are stored.
        const std::size_t nameStart = names_.size();
        names_.append(name);
        entries_.push_back(Entry{hash, nameStart, name.size(), components});
        slots_[at] = static_cast<int32_t>(entries_.size() - 1);
        if (entries_.size() * 2 > slots_.size())
            grow();
    }
    return components;
}
