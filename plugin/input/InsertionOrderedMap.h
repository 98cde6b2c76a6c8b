#pragma once
// A map from a 32-bit id to a record that keeps the order of addition. The workspace holds its
// assays in one, so that every walk (the assay list, the calculation, the report) visits them in
// the order the analyst added them, and the list, the tabs and the report agree. An id occurs at
// most once; removing one keeps the order of the rest.
// References and iterators to a record stay valid until that record is removed.
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <list>
#include <stdexcept>
#include <tuple>
#include <unordered_map>
#include <utility>

template <class Record>
class InsertionOrderedMap {
public:
    using key_type = int32_t;
    using mapped_type = Record;
    using value_type = std::pair<const int32_t, Record>;
    using iterator = typename std::list<value_type>::iterator;
    using const_iterator = typename std::list<value_type>::const_iterator;
    using size_type = std::size_t;

    InsertionOrderedMap() = default;
    InsertionOrderedMap(const InsertionOrderedMap& other) : entries_(other.entries_) { reindex(); }
    InsertionOrderedMap(InsertionOrderedMap&&) noexcept = default;
    InsertionOrderedMap& operator=(const InsertionOrderedMap& other)
    {
        if (this != &other) {
            InsertionOrderedMap copy(other);
            *this = std::move(copy);
        }
        return *this;
    }
    InsertionOrderedMap& operator=(InsertionOrderedMap&&) noexcept = default;

    iterator begin() { return entries_.begin(); }
    iterator end() { return entries_.end(); }
    const_iterator begin() const { return entries_.begin(); }
    const_iterator end() const { return entries_.end(); }

    size_type size() const { return entries_.size(); }
    bool empty() const { return entries_.empty(); }
    size_type count(int32_t id) const { return index_.count(id); }
    bool contains(int32_t id) const { return index_.count(id) != 0; }

    iterator find(int32_t id)
    {
        const auto found = index_.find(id);
        return found == index_.end() ? entries_.end() : found->second;
    }
    const_iterator find(int32_t id) const
    {
        const auto found = index_.find(id);
        return found == index_.end() ? entries_.end() : const_iterator(found->second);
    }

    // The record of an id; std::out_of_range for an id that is not there.
    Record& at(int32_t id)
    {
        const auto found = index_.find(id);
        if (found == index_.end())
            throw std::out_of_range("no record with this id");
        return found->second->second;
    }
    const Record& at(int32_t id) const { return const_cast<InsertionOrderedMap*>(this)->at(id); }

    // Adds a record at the end unless the id is there already; the bool tells which.
    template <class... Args>
    std::pair<iterator, bool> emplace(int32_t id, Args&&... args)
    {
        if (const auto found = index_.find(id); found != index_.end())
            return {found->second, false};
        entries_.emplace_back(std::piecewise_construct, std::forward_as_tuple(id),
                              std::forward_as_tuple(std::forward<Args>(args)...));
        const iterator added = std::prev(entries_.end());
        try {
            index_.emplace(id, added);
        } catch (...) {
            entries_.pop_back();
            throw;
        }
        return {added, true};
    }
    // The record of an id, added empty at the end when it is new.
    Record& operator[](int32_t id) { return emplace(id).first->second; }

    size_type erase(int32_t id)
    {
        const auto found = index_.find(id);
        if (found == index_.end())
            return 0;
        entries_.erase(found->second);
        index_.erase(found);
        return 1;
    }
    void clear()
    {
        index_.clear();
        entries_.clear();
    }

private:
    void reindex()
    {
        index_.reserve(entries_.size());
        for (iterator it = entries_.begin(); it != entries_.end(); ++it)
            index_.emplace(it->first, it);
    }

    std::list<value_type> entries_;
    std::unordered_map<int32_t, iterator> index_;
};
