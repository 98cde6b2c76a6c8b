#pragma once
// The components of a table by folded name: for a peak's trimmed, folded name, the components
// it matches (by name or by alternative name), each once, in table order. Every peak of a pass is
// looked up here once, so the table is a small open-addressing hash of its own.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine/Component.h"

class ComponentNameIndex {
public:
    explicit ComponentNameIndex(const ComponentList& components);

    // The components whose name or alternative name equals `foldedKey` (already trimmed and folded).
    std::span<const int32_t> componentsNamed(std::u16string_view foldedKey) const;

private:
    struct Entry {
        uint64_t hash = 0;
        std::u16string key;
        std::vector<int32_t> components;
    };
    static uint64_t hashOf(std::u16string_view key);
    void add(const std::u16string& key, int32_t component);
    const Entry* find(std::u16string_view key, uint64_t hash) const;
    void buildSlots();

    std::vector<Entry> entries_;
    std::vector<int32_t> slots_;   // index into entries_, -1 for a free slot; a power of two long
};
