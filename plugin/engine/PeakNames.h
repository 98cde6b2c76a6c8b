#pragma once
// The components a peak's name names, remembered by the name as it stands. The same few hundred
// names recur in every table of a workspace, so the pass trims, folds and looks up each distinct
// name once and afterwards only hashes and compares the name. Lives for one pass (the components
// it answers are the pass's component table); it keeps a copy of every name it remembers.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine/ComponentNameIndex.h"

class PeakNames {
public:
    explicit PeakNames(const ComponentNameIndex& index) : index_(index) {}
    PeakNames(const PeakNames&) = delete;
    PeakNames& operator=(const PeakNames&) = delete;

    // The components whose name or alternative name the peak name `name` (untrimmed) equals, in
    // table order; empty for a blank name.
    std::span<const int32_t> componentsOf(std::u16string_view name) { return componentsOf(name, hashOf(name)); }
    // The same, with `hash` = hashOf(name) known beforehand (a table's facts hold it).
    std::span<const int32_t> componentsOf(std::u16string_view name, uint32_t hash);

    static uint32_t hashOf(std::u16string_view name);

    // Names remembered so far; past the limit further names are looked up each time.
    std::size_t remembered() const { return entries_.size(); }
    static constexpr std::size_t rememberLimit = std::size_t(1) << 16;

private:
    struct Entry {
        uint32_t hash;
        std::size_t nameStart;  // in names_
        std::size_t nameLength;
        std::span<const int32_t> components;
    };
    std::span<const int32_t> lookUp(std::u16string_view name);
    void grow();

    const ComponentNameIndex& index_;
    std::u16string key_;              // the folded form of the name being looked up
    std::vector<Entry> entries_;
    std::u16string names_;            // the remembered names, one after another
    std::vector<int32_t> slots_;      // index into entries_, -1 free; a power of two long
};
