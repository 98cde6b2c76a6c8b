#include "input/LargeBlockPool.h"

#include <new>

namespace {

constexpr std::size_t granule = 64 * 1024;

std::size_t roundUp(std::size_t bytes)
{
    return (bytes + granule - 1) / granule * granule;
}

} // namespace

LargeBlockPool& LargeBlockPool::instance()
{
    // Never destroyed: blocks may be released by objects that outlive static destruction.
    static LargeBlockPool* pool = new LargeBlockPool;
    return *pool;
}

void* LargeBlockPool::allocate(std::size_t bytes)
{
    if (bytes < smallestPooled)
        return ::operator new(bytes);
    {
        std::lock_guard guard(lock_);
        // The smallest kept block that fits, unless it would waste more than half of itself.
        std::size_t best = kept_.size();
        for (std::size_t i = 0; i < kept_.size(); ++i)
            if (kept_[i].capacity >= bytes && kept_[i].capacity / 2 <= bytes
                && (best == kept_.size() || kept_[i].capacity < kept_[best].capacity))
                best = i;
        if (best != kept_.size()) {
            Block block = kept_[best];
            kept_.erase(kept_.begin() + static_cast<std::ptrdiff_t>(best));
            keptBytes_ -= block.capacity;
            capacityInUse_.emplace(block.start, block.capacity);
            return block.start;
        }
    }
    std::size_t capacity = roundUp(bytes);
    void* start = ::operator new(capacity);
    try {
        std::lock_guard guard(lock_);
        capacityInUse_.emplace(start, capacity);
    } catch (...) {
        // Memory for the bookkeeping entry (or a lock failure): the block is given back before
        // the caller sees the failure, so it does not leak.
        ::operator delete(start);
        throw;
    }
    return start;
}

void LargeBlockPool::release(void* block, std::size_t bytes) noexcept
{
    if (!block)
        return;
    if (bytes < smallestPooled) {
        ::operator delete(block);
        return;
    }
    std::lock_guard guard(lock_);
    auto found = capacityInUse_.find(block);
    std::size_t capacity = found != capacityInUse_.end() ? found->second : bytes;
    if (found != capacityInUse_.end())
        capacityInUse_.erase(found);
    while (!kept_.empty() && (kept_.size() >= maxKeptBlocks || keptBytes_ + capacity > maxKeptBytes)) {
        // The oldest kept block makes room.
        ::operator delete(kept_.front().start);
        keptBytes_ -= kept_.front().capacity;
        kept_.erase(kept_.begin());
    }
    if (capacity > maxKeptBytes) {
        ::operator delete(block);
        return;
    }
    try {
        kept_.push_back({block, capacity});
        keptBytes_ += capacity;
    } catch (const std::exception&) {
        // No memory to keep the block for reuse: it is simply freed.
        ::operator delete(block);
    }
}
