#pragma once
// An immutable value that copies share, counted by hand. std::shared_ptr would do the same, but
// its control blocks bring type information of the standard library that the plug-in would then
// export beside its three entry points.
#include <atomic>
#include <cstddef>
#include <utility>

template <class T>
class SharedConst {
public:
    SharedConst() = default;
    // The value is made once here and never changes afterwards.
    template <class... Args>
    static SharedConst make(Args&&... args)
    {
        SharedConst made;
        made.box_ = new Box{{1}, T(std::forward<Args>(args)...)};
        return made;
    }

    SharedConst(const SharedConst& other) noexcept : box_(other.box_) { retain(); }
    SharedConst(SharedConst&& other) noexcept : box_(std::exchange(other.box_, nullptr)) {}
    SharedConst& operator=(const SharedConst& other) noexcept
    {
        if (box_ != other.box_) {
            release();
            box_ = other.box_;
            retain();
        }
        return *this;
    }
    SharedConst& operator=(SharedConst&& other) noexcept
    {
        if (this != &other) {
            release();
            box_ = std::exchange(other.box_, nullptr);
        }
        return *this;
    }
    ~SharedConst() { release(); }

    const T* get() const { return box_ ? &box_->value : nullptr; }
    const T& operator*() const { return box_->value; }
    const T* operator->() const { return &box_->value; }
    explicit operator bool() const { return box_ != nullptr; }
    void reset() noexcept
    {
        release();
        box_ = nullptr;
    }

private:
    struct Box {
        std::atomic<std::size_t> references;
        T value;
    };

    void retain() noexcept
    {
        if (box_)
            box_->references.fetch_add(1, std::memory_order_relaxed);
    }
    void release() noexcept
    {
        if (box_ && box_->references.fetch_sub(1, std::memory_order_acq_rel) == 1)
            delete box_;
    }

    Box* box_ = nullptr;
};
