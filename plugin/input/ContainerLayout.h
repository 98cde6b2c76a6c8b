#pragma once
// Fixed sizes and offsets of the chromatogram container: a 16-byte file header, then one block per
// channel (a 32-byte block header and the block's 32-bit samples), then the XML text.
#include <cstddef>
#include <cstdint>

namespace containerlayout {

inline constexpr std::size_t fileHeaderSize = 16;
inline constexpr std::size_t blockHeaderSize = 32;
inline constexpr std::size_t sampleSize = 4;

inline constexpr unsigned char magic[3] = {'S', 'T', 'G'};
inline constexpr unsigned char highestReadableVersion = 1;

// File header
inline constexpr std::size_t versionOffset = 3;
inline constexpr std::size_t binaryLengthOffset = 8;

// Block header
inline constexpr std::size_t channelNumberOffset = 0;
inline constexpr std::size_t valueAOffset = 8;
inline constexpr std::size_t valueBOffset = 16;
inline constexpr std::size_t sampleCountOffset = 24;

// A block may announce at most this many samples; the count is kept in 32 bits in memory.
inline constexpr uint64_t sampleCountLimit = uint64_t{1} << 32;

} // namespace containerlayout
