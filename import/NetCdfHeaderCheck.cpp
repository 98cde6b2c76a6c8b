#include "NetCdfHeaderCheck.h"

#include <cstdint>

namespace {

constexpr uint32_t tagDimension = 0x0A;
constexpr uint32_t tagVariable = 0x0B;
constexpr uint32_t tagAttribute = 0x0C;

class HeaderWalk {
public:
    HeaderWalk(const unsigned char* data, std::size_t size) : data_(data), size_(size) {}

    bool run(std::string& reason)
    {
        const unsigned version = data_[3];
        if (version != 1 && version != 2 && version != 5) {
            reason = "unknown netCDF format version";
            return false;
        }
        wide_ = version == 5;
        offsets64_ = version != 1;
        at_ = 4;
        uint64_t records = 0;
        if (!count(records))  // the record count (or "streaming")
            return fail(reason);
        if (!list(tagDimension, [this] { return dimension(); }) || !list(tagAttribute, [this] { return attribute(); })
            || !list(tagVariable, [this] { return variable(); }))
            return fail(reason);
        return true;
    }

private:
    bool fail(std::string& reason)
    {
        reason = "damaged netCDF header: the file is truncated or not what it claims";
        return false;
    }
    std::size_t left() const { return size_ - at_; }

    bool u32(uint32_t& value)
    {
        if (left() < 4)
            return false;
        value = static_cast<uint32_t>(data_[at_]) << 24 | static_cast<uint32_t>(data_[at_ + 1]) << 16
            | static_cast<uint32_t>(data_[at_ + 2]) << 8 | data_[at_ + 3];
        at_ += 4;
        return true;
    }
    bool u64(uint64_t& value)
    {
        uint32_t high = 0, low = 0;
        if (!u32(high) || !u32(low))
            return false;
        value = static_cast<uint64_t>(high) << 32 | low;
        return true;
    }
    // A count: 32 bits in the classic formats, 64 in CDF-5.
    bool count(uint64_t& value)
    {
        if (wide_)
            return u64(value);
        uint32_t narrow = 0;
        if (!u32(narrow))
            return false;
        value = narrow;
        return true;
    }
    bool skip(uint64_t bytes)
    {
        const uint64_t padded = (bytes + 3) / 4 * 4;
        if (padded > left())
            return false;
        at_ += static_cast<std::size_t>(padded);
        return true;
    }
    bool name()
    {
        uint64_t length = 0;
        return count(length) && length <= left() && skip(length);
    }

    // A list is ABSENT (two zeros) or its tag, a count and that many entries, each of at least
    // `minimum` bytes, so that no count can exceed what the file holds.
    template <typename Entry>
    bool list(uint32_t tag, Entry entry)
    {
        uint32_t found = 0;
        uint64_t n = 0;
        if (!u32(found) || !count(n))
            return false;
        if (found == 0)
            return n == 0;
        if (found != tag || n > left() / 8)
            return false;
        for (uint64_t i = 0; i < n; ++i)
            if (!entry())
                return false;
        return true;
    }

    bool dimension()
    {
        uint64_t length = 0;
        return name() && count(length);
    }

    static std::size_t typeSize(uint32_t type)
    {
        switch (type) {
        case 1: case 2: case 7: return 1;     // byte, char, unsigned byte
        case 3: case 8: return 2;             // short, unsigned short
        case 4: case 5: case 9: return 4;     // int, float, unsigned int
        case 6: case 10: case 11: return 8;   // double, 64-bit integers
        default: return 0;
        }
    }

    bool attribute()
    {
        uint32_t type = 0;
        uint64_t n = 0;
        if (!name() || !u32(type) || !count(n))
            return false;
        const std::size_t size = typeSize(type);
        if (size == 0 || (!wide_ && type > 6) || n > left() / size)
            return false;
        return skip(n * size);
    }

    bool variable()
    {
        uint64_t dimensions = 0;
        if (!name() || !count(dimensions) || dimensions > left() / 4)
            return false;
        for (uint64_t d = 0; d < dimensions; ++d) {
            uint64_t id = 0;
            if (!count(id))
                return false;
        }
        if (!list(tagAttribute, [this] { return attribute(); }))
            return false;
        uint32_t type = 0;
        uint64_t vsize = 0;
        if (!u32(type) || typeSize(type) == 0 || !count(vsize))
            return false;
        if (offsets64_) {
            uint64_t begin = 0;
            return u64(begin);
        }
        uint32_t begin = 0;
        return u32(begin);
    }

    const unsigned char* data_;
    std::size_t size_;
    std::size_t at_ = 0;
    bool wide_ = false;
    bool offsets64_ = false;
};

} // namespace

bool netCdfHeaderPlausible(const unsigned char* data, std::size_t size, std::string& reason)
{
    if (size < 8) {
        reason = "damaged netCDF header: the file is truncated";
        return false;
    }
    return HeaderWalk(data, size).run(reason);
}
