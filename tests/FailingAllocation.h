#pragma once
// Fault injection for C++ allocations: this test program replaces the global operator new so that
// a chosen allocation throws std::bad_alloc. Only the test program that links FailingAllocation.cpp
// is affected.
#include <cstddef>

namespace failing_allocation {

// From now on, the allocation after `count` more successful ones throws; later ones succeed again.
void failAfter(std::size_t count);
// No allocation fails.
void disarm();
// True when the armed failure has happened since the last failAfter.
bool fired();

// Arms failAfter(count) for its lifetime.
class Scope {
public:
    explicit Scope(std::size_t count) { failAfter(count); }
    ~Scope() { disarm(); }
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;
};

} // namespace failing_allocation
