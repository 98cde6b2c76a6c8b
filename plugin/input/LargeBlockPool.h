#pragma once
// Keeps a few recently released large blocks for the next allocation. Reading a chromatogram
// needs several megabytes at once; fresh pages from the system cost far more than copying the file
// into them, and the allocator of the C library gives such blocks back to the system at once.
// Loading one assay after another then reuses the same memory. At most `maxKeptBytes` are kept.
#include <cstddef>
#include <mutex>
#include <unordered_map>
#include <vector>

class LargeBlockPool {
public:
    static constexpr std::size_t smallestPooled = 256 * 1024;
    static constexpr std::size_t maxKeptBytes = 64 * 1024 * 1024;
    static constexpr std::size_t maxKeptBlocks = 8;

    static LargeBlockPool& instance();

    // Blocks below `smallestPooled` bytes go straight to operator new and delete.
    void* allocate(std::size_t bytes);
    void release(void* block, std::size_t bytes) noexcept;

private:
    struct Block {
        void* start;
        std::size_t capacity;
    };
    std::mutex lock_;
    std::vector<Block> kept_;
    std::size_t keptBytes_ = 0;
    std::unordered_map<void*, std::size_t> capacityInUse_;
};
