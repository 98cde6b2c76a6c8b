#pragma once
// Chromatogram objects and file images that the input tests share.
#include "input/CVantrelFile4.h"

#include <cstdint>
#include <string>
#include <vector>

namespace samples {

// Two channels (1 and 2) with a few samples each, peaks with every field set, a column and
// parameters with Cyrillic text.
CVantrelFile4 richChromatogram();

Peak peak(double time, double area, const std::u16string& name);

// The bytes `save` writes for the object (through a temporary file).
std::vector<unsigned char> imageOf(CVantrelFile4& file);

// A container built by hand: header with the given version and binaryLength, blocks, then `xml`.
struct Block {
    uint8_t number = 1;
    double valueA = 0;
    double valueB = 0;
    std::vector<uint32_t> samples;
    uint64_t announcedCount = UINT64_MAX;  // UINT64_MAX: the real count
};
std::vector<unsigned char> container(uint8_t version, const std::vector<Block>& blocks, const std::string& xml,
                                     uint64_t binaryLength = UINT64_MAX);

// A folder of its own below the temporary folder, removed with its content on destruction.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    std::string path(const std::string& name) const { return folder_ + "/" + name; }
    std::u16string path16(const std::string& name) const;

private:
    std::string folder_;
};

void writeBytes(const std::string& path, const std::vector<unsigned char>& bytes);
std::vector<unsigned char> readBytes(const std::string& path);

// Field-by-field comparisons that name the field that differs.
void expectSamePeaks(const std::vector<Peak>& expected, const std::vector<Peak>& actual);
void expectSameChannels(const std::vector<Channel>& expected, const std::vector<Channel>& actual);

} // namespace samples
