#include "input/SignalBuffer.h"

#include <bit>

SignalBuffer::SignalBuffer(const SignalBuffer& other)
{
    std::lock_guard guard(other.lock);
    samples = other.samples;
    valueA = other.valueA;
    valueB = other.valueB;
}

SignalBuffer::SignalBuffer(SignalBuffer&& other) noexcept
{
    std::lock_guard guard(other.lock);
    samples = std::move(other.samples);
    valueA = other.valueA;
    valueB = other.valueB;
}

SignalBuffer& SignalBuffer::operator=(const SignalBuffer& other)
{
    if (this != &other) {
        std::scoped_lock guard(lock, other.lock);
        samples = other.samples;
        valueA = other.valueA;
        valueB = other.valueB;
    }
    return *this;
}

SignalBuffer& SignalBuffer::operator=(SignalBuffer&& other) noexcept
{
    if (this != &other) {
        std::scoped_lock guard(lock, other.lock);
        samples = std::move(other.samples);
        valueA = other.valueA;
        valueB = other.valueB;
    }
    return *this;
}

SampleArray SignalBuffer::copySamples() const
{
    std::lock_guard guard(lock);
    return samples;
}

// The values are compared bit for bit: they are carried, not computed, so a NaN written must be
// the same NaN read back.
bool SignalBuffer::operator==(const SignalBuffer& other) const
{
    if (this == &other)
        return true;
    std::scoped_lock guard(lock, other.lock);
    return samples == other.samples && std::bit_cast<uint64_t>(valueA) == std::bit_cast<uint64_t>(other.valueA)
           && std::bit_cast<uint64_t>(valueB) == std::bit_cast<uint64_t>(other.valueB);
}
