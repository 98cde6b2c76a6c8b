#include "input/LargeBlockPool.h"
#include "input/SignalBuffer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

TEST(LargeBlockPool, ReusesAReleasedBlockThatFitsAndNotOneFarTooLarge)
{
    LargeBlockPool& pool = LargeBlockPool::instance();
    const std::size_t size = 3 * 1024 * 1024 + 17;
    void* first = pool.allocate(size);
    std::memset(first, 0xAB, size);
    pool.release(first, size);
    void* second = pool.allocate(size - 1000);
    EXPECT_EQ(second, first) << "a kept block that fits is handed out again";
    std::memset(second, 0xCD, size - 1000);
    void* small = pool.allocate(LargeBlockPool::smallestPooled);
    EXPECT_NE(small, second);
    pool.release(second, size - 1000);
    void* tiny = pool.allocate(LargeBlockPool::smallestPooled + 1);
    EXPECT_NE(tiny, first) << "a block more than twice the request is not wasted on it";
    pool.release(tiny, LargeBlockPool::smallestPooled + 1);
    pool.release(small, LargeBlockPool::smallestPooled);
    void* bigger = pool.allocate(size + 1024 * 1024);
    std::memset(bigger, 0, size + 1024 * 1024);  // the sanitizer checks the whole block is ours
    pool.release(bigger, size + 1024 * 1024);
}

TEST(LargeBlockPool, KeepsNoMoreThanItsLimit)
{
    LargeBlockPool& pool = LargeBlockPool::instance();
    std::vector<void*> blocks;
    const std::size_t size = 20 * 1024 * 1024;
    for (int i = 0; i < 6; ++i)
        blocks.push_back(pool.allocate(size));
    for (void* block : blocks)
        pool.release(block, size);
    // Only three of 20 MiB fit under 64 MiB; asking for six again must give at least three new ones.
    std::vector<void*> again;
    int reused = 0;
    for (int i = 0; i < 6; ++i) {
        again.push_back(pool.allocate(size));
        for (void* old : blocks)
            reused += again.back() == old ? 1 : 0;
    }
    EXPECT_LE(reused, 3);
    for (void* block : again)
        pool.release(block, size);
}

TEST(LargeBlockPool, SampleArraysGrowAndCopyLikeVectors)
{
    SampleArray samples;
    for (uint32_t i = 0; i < 300000; ++i)
        samples.push_back(i);
    SampleArray copy = samples;
    samples.resize(10);
    samples.shrink_to_fit();
    EXPECT_EQ(copy.size(), 300000u);
    EXPECT_EQ(copy[299999], 299999u);
    EXPECT_EQ(samples[9], 9u);
}

} // namespace
