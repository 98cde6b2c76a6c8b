#pragma once
// An allocator whose value-less construction leaves the element uninitialised, so that a sample
// array can be sized and then filled straight from a file without being zeroed first.
#include <memory>
#include <type_traits>
#include <utility>

template <typename T, typename Base = std::allocator<T>>
class DefaultInitAllocator : public Base {
public:
    template <typename U>
    struct rebind {
        using other = DefaultInitAllocator<U, typename std::allocator_traits<Base>::template rebind_alloc<U>>;
    };

    using Base::Base;
    DefaultInitAllocator() = default;
    template <typename U, typename B>
    DefaultInitAllocator(const DefaultInitAllocator<U, B>& other) noexcept : Base(other) {}

    template <typename U>
    void construct(U* place) noexcept(std::is_nothrow_default_constructible_v<U>)
    {
        ::new (static_cast<void*>(place)) U;
    }
    template <typename U, typename... Args>
    void construct(U* place, Args&&... args)
    {
        std::allocator_traits<Base>::construct(static_cast<Base&>(*this), place, std::forward<Args>(args)...);
    }
};
