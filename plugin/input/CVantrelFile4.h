#pragma once
// A chromatogram file of the host: a 16-byte header ("STG", version, length of the binary part),
// one signal block per channel, then the XML document with the passport and the peak tables.
//
// Every operation returns 0 on success or a negative code; the codes differ per operation:
//   parse: -1 no "STG" magic (also a buffer shorter than the header), -2 version above 1,
//          -3 the XML text does not parse, -5 the buffer ends inside a block header,
//          -6 the buffer ends inside a block's samples
//   load:  -1 not a readable regular file, -2 header short, -3 no magic, -4 version above 1,
//          -5 block header short, -6 a sample count of 2^32 or more or beyond the end of the
//          file, -7 the XML text does not parse
//   save:  -1 cannot create (or the target is no regular file or is read-only), -2 header not written, -5 block header not written, -6 samples not
//          written, -7 the stream failed after the XML text
// A read rejected at the header leaves the object as it was; a read that fails later leaves it
// half filled, to be discarded.
#include "input/Channel.h"
#include "input/Passport.h"

#include <cstdint>
#include <string>
#include <vector>

class CVantrelFile4 {
public:
    CVantrelFile4() = default;
    CVantrelFile4(const CVantrelFile4&) = default;
    CVantrelFile4& operator=(const CVantrelFile4&) = default;
    CVantrelFile4(CVantrelFile4&&) = default;
    CVantrelFile4& operator=(CVantrelFile4&&) = default;

    // Reads a complete file image held in memory; never reads beyond `size`. Leaves filePath alone.
    virtual int32_t parse(const unsigned char* data, uint64_t size);
    // Reads the file at `path`; on success filePath becomes `path`.
    virtual int32_t load(const std::u16string& path);
    // Writes the object into a new file that replaces the one at `path` only when whole (the old
    // file stays as it was on any failure; a folder, device or read-only file is refused).
    virtual int32_t save(const std::u16string& path);
    // Declared after the three operations, which keep the first places in the virtual table.
    virtual ~CVantrelFile4() = default;

    uint8_t formatVersion = 1;
    Passport passport;
    std::vector<Channel> channels;

private:
    // The document that follows the blocks, from `text` on; `size` bytes, modified in place.
    bool readDocument(char* text, std::size_t size);
};
