#pragma once
// A standard allocator whose large blocks come from LargeBlockPool and go back to it.
#include "input/LargeBlockPool.h"

#include <cstddef>

template <typename T>
class PooledAllocator {
public:
    using value_type = T;

    PooledAllocator() noexcept = default;
    template <typename U>
    PooledAllocator(const PooledAllocator<U>&) noexcept {}

    T* allocate(std::size_t count)
    {
        return static_cast<T*>(LargeBlockPool::instance().allocate(count * sizeof(T)));
    }
    void deallocate(T* block, std::size_t count) noexcept
    {
        LargeBlockPool::instance().release(block, count * sizeof(T));
    }

    template <typename U>
    bool operator==(const PooledAllocator<U>&) const noexcept { return true; }
};
