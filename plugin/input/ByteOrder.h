#pragma once
// The chromatogram container stores every number little-endian, whatever machine wrote it.
#include <bit>
#include <cstdint>
#include <cstring>

namespace byteorder {

inline uint64_t readU64(const unsigned char* p)
{
    uint64_t v = 0;
    for (int i = 7; i >= 0; --i)
        v = (v << 8) | p[i];
    return v;
}

inline double readF64(const unsigned char* p)
{
    return std::bit_cast<double>(readU64(p));
}

inline void writeU64(unsigned char* p, uint64_t v)
{
    for (int i = 0; i < 8; ++i, v >>= 8)
        p[i] = static_cast<unsigned char>(v & 0xFF);
}

inline void writeF64(unsigned char* p, double v)
{
    writeU64(p, std::bit_cast<uint64_t>(v));
}

// Sample words travel as raw little-endian 32-bit words; only a big-endian machine has to turn them.
inline void wordsFromLittleEndian(uint32_t* words, std::size_t count)
{
    if constexpr (std::endian::native == std::endian::big) {
        for (std::size_t i = 0; i < count; ++i)
            words[i] = ((words[i] & 0xFFu) << 24) | ((words[i] & 0xFF00u) << 8) | ((words[i] >> 8) & 0xFF00u)
                       | (words[i] >> 24);
    } else {
        (void)words;
        (void)count;
    }
}

inline void wordsToLittleEndian(uint32_t* words, std::size_t count)
{
    wordsFromLittleEndian(words, count);  // the swap is its own inverse
}

} // namespace byteorder
