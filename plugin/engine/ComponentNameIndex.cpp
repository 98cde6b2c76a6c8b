#include "engine/ComponentNameIndex.h"

#include "engine/NameKey.h"
#include "platform/Text.h"

ComponentNameIndex::ComponentNameIndex(const ComponentList& components)
{
    std::u16string key;
    std::vector<std::pair<std::u16string, int32_t>> keys;
    for (std::size_t i = 0; i < components.size(); ++i) {
        const Component& c = components[i];
        // The name is compared as it stands: one with blanks around it never equals a trimmed
        // peak name, and so is never hit.
        if (!c.name.empty()) {
            foldNameKey(c.name, key);
            keys.emplace_back(key, static_cast<int32_t>(i));
        }
        std::u16string_view alt = platform::trimWhite(c.altName);
        if (!alt.empty() && alt != u"-") {
            foldNameKey(alt, key);
            keys.emplace_back(key, static_cast<int32_t>(i));
        }
    }
    slots_.assign(std::size_t(1) << 4, -1);
    while (slots_.size() < keys.size() * 2)
        slots_.assign(slots_.size() * 2, -1);
    for (const auto& [text, component] : keys)
        add(text, component);
}

uint64_t ComponentNameIndex::hashOf(std::u16string_view key)
{
    uint64_t hash = 14695981039346656037ull;  // FNV-1a
    for (char16_t c : key) {
        hash ^= c;
        hash *= 1099511628211ull;
    }
    return hash ^ (hash >> 29);
}

const ComponentNameIndex::Entry* ComponentNameIndex::find(std::u16string_view key, uint64_t hash) const
{
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t at = hash & mask;; at = (at + 1) & mask) {
        const int32_t slot = slots_[at];
        if (slot < 0)
            return nullptr;
        const Entry& entry = entries_[static_cast<std::size_t>(slot)];
        if (entry.hash == hash && entry.key == key)
            return &entry;
    }
}

void ComponentNameIndex::add(const std::u16string& key, int32_t component)
{
    const uint64_t hash = hashOf(key);
    if (const Entry* existing = find(key, hash)) {
        Entry& entry = entries_[static_cast<std::size_t>(existing - entries_.data())];
        if (entry.components.back() != component)
            entry.components.push_back(component);
        return;
    }
    const std::size_t mask = slots_.size() - 1;
    std::size_t at = hash & mask;
    while (slots_[at] >= 0)
        at = (at + 1) & mask;
    slots_[at] = static_cast<int32_t>(entries_.size());
    entries_.push_back(Entry{hash, key, {component}});
}

std::span<const int32_t> ComponentNameIndex::componentsNamed(std::u16string_view foldedKey) const
{
    const Entry* entry = find(foldedKey, hashOf(foldedKey));
    if (!entry)
        return {};
    return entry->components;
}
