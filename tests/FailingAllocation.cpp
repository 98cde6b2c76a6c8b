#include "FailingAllocation.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<bool> armed{false};
std::atomic<std::size_t> remaining{0};
std::atomic<bool> hasFired{false};

void* allocate(std::size_t size)
{
    if (armed.load()) {
        if (remaining.load() == 0) {
            armed = false;
            hasFired = true;
            throw std::bad_alloc();
        }
        --remaining;
    }
    if (void* memory = std::malloc(size ? size : 1))
        return memory;
    throw std::bad_alloc();
}

} // namespace

namespace failing_allocation {

void failAfter(std::size_t count)
{
    hasFired = false;
    remaining = count;
    armed = true;
}

void disarm() { armed = false; }

bool fired() { return hasFired.load(); }

} // namespace failing_allocation

// The sanitizer's own new and delete are replaced together, so that every block is freed the way
// it was allocated.
void* operator new(std::size_t size) { return allocate(size); }
void* operator new[](std::size_t size) { return allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    try {
        return allocate(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept { return operator new(size, tag); }
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete[](void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete[](void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete(void* memory, const std::nothrow_t&) noexcept { std::free(memory); }
void operator delete[](void* memory, const std::nothrow_t&) noexcept { std::free(memory); }
