#pragma once
// The texts of one category of the message log, kept end to end in one buffer: a pass may raise
// tens of thousands of warnings, and one string each would cost an allocation apiece and the
// bookkeeping of every one of them. Clearing keeps the buffer for the next pass.
#include <cstddef>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

class MessageList {
public:
    class const_iterator {
    public:
        using iterator_category = std::random_access_iterator_tag;
        using value_type = std::u16string_view;
        using difference_type = std::ptrdiff_t;
        using pointer = void;
        using reference = std::u16string_view;

        const_iterator() = default;
        const_iterator(const MessageList* list, std::size_t at) : list_(list), at_(at) {}

        std::u16string_view operator*() const { return (*list_)[at_]; }
        std::u16string_view operator[](difference_type n) const { return (*list_)[at_ + static_cast<std::size_t>(n)]; }
        const_iterator& operator++() { ++at_; return *this; }
        const_iterator operator++(int) { const_iterator was = *this; ++at_; return was; }
        const_iterator& operator--() { --at_; return *this; }
        const_iterator operator--(int) { const_iterator was = *this; --at_; return was; }
        const_iterator& operator+=(difference_type n) { at_ += static_cast<std::size_t>(n); return *this; }
        const_iterator& operator-=(difference_type n) { at_ -= static_cast<std::size_t>(n); return *this; }
        friend const_iterator operator+(const_iterator it, difference_type n) { return it += n; }
        friend const_iterator operator+(difference_type n, const_iterator it) { return it += n; }
        friend const_iterator operator-(const_iterator it, difference_type n) { return it -= n; }
        friend difference_type operator-(const const_iterator& a, const const_iterator& b)
        {
            return static_cast<difference_type>(a.at_) - static_cast<difference_type>(b.at_);
        }
        friend bool operator==(const const_iterator& a, const const_iterator& b) { return a.at_ == b.at_; }
        friend auto operator<=>(const const_iterator& a, const const_iterator& b) { return a.at_ <=> b.at_; }

    private:
        const MessageList* list_ = nullptr;
        std::size_t at_ = 0;
    };
    using iterator = const_iterator;
    using value_type = std::u16string_view;
    using size_type = std::size_t;

    std::size_t size() const { return ends_.size(); }
    bool empty() const { return ends_.empty(); }
    std::u16string_view operator[](std::size_t i) const
    {
        const std::size_t begin = i == 0 ? 0 : ends_[i - 1];
        return std::u16string_view(text_).substr(begin, ends_[i] - begin);
    }
    std::u16string_view front() const { return (*this)[0]; }
    std::u16string_view back() const { return (*this)[size() - 1]; }
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, size()}; }

    void push_back(std::u16string_view text);
    // Appends one text that `write(std::u16string& out)` appends to `out`; a write that throws
    // leaves the list as it was.
    template <class Write>
    void write(Write&& write)
    {
        const std::size_t before = text_.size();
        try {
            write(text_);
            ends_.push_back(text_.size());
        } catch (...) {
            text_.resize(before);
            throw;
        }
    }
    void clear();

    // Every text as a string of its own, in order.
    std::vector<std::u16string> toStrings() const;

    friend bool operator==(const MessageList& list, const std::vector<std::u16string>& texts);

private:
    std::u16string text_;
    std::vector<std::size_t> ends_;  // where each text ends in text_
};
