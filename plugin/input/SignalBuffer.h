#pragma once
// The raw signal of one channel. A producer may append samples from another thread while the file
// is written, so the samples are guarded by a lock of their own. Copies and moves take the source's
// lock and give the new buffer a fresh one.
#include "input/DefaultInitAllocator.h"
#include "input/PooledAllocator.h"

#include <cstdint>
#include <mutex>
#include <vector>

// The raw 32-bit words of a channel. Growing it leaves new words uninitialised until written, and
// its memory is reused from one loaded file to the next.
using SampleArray = std::vector<uint32_t, DefaultInitAllocator<uint32_t, PooledAllocator<uint32_t>>>;

class SignalBuffer {
public:
    SignalBuffer() = default;
    SignalBuffer(const SignalBuffer& other);
    SignalBuffer(SignalBuffer&& other) noexcept;
    SignalBuffer& operator=(const SignalBuffer& other);
    SignalBuffer& operator=(SignalBuffer&& other) noexcept;
    ~SignalBuffer() = default;

    // A consistent copy of the samples, taken under the lock.
    SampleArray copySamples() const;

    bool operator==(const SignalBuffer& other) const;

    SampleArray samples;
    mutable std::mutex lock;
    double valueA = 0;  // carried with the channel, not interpreted here
    double valueB = 0;
};
