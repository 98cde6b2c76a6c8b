#pragma once
// The components of a table by folded name: for a peak's trimmed, folded name, the components
// it matches (by name or by alternative name), each once, in table order.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "engine/Component.h"

class ComponentNameIndex {
public:
    explicit ComponentNameIndex(const ComponentList& components);

    // The components whose name or alternative name equals `foldedKey` (already trimmed and folded).
    std::span<const int32_t> componentsNamed(std::u16string_view foldedKey) const;

private:
    struct KeyHash {
        using is_transparent = void;
        std::size_t operator()(std::u16string_view key) const { return std::hash<std::u16string_view>{}(key); }
    };
    void add(const std::u16string& key, int32_t component);

    std::unordered_map<std::u16string, std::vector<int32_t>, KeyHash, std::equal_to<>> byKey_;
};
