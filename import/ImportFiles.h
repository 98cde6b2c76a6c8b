#pragma once
// The importer's reads and writes of outside files, all through the file seam.
#include "platform/FileSeam.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace importfiles {

// The whole content of a regular file and its modification time (seconds since 1970). False with a
// reason when the path is missing, is no regular file, or cannot be read.
bool readWhole(const std::string& path, std::string& bytes, int64_t& modified, std::string& error);

// Creates the folder and its parents when missing.
bool makeFolder(const std::string& path, std::string& error);

// Removes what imports killed before publishing left in the chromatogram folder: temporaries of
// ".stg" files an hour old or more.
void removeLeftovers(const std::string& folder);

// A chromatogram file that appears under its final name only when published. Construction
// reserves a free final name in `folder` (from `stem`) and writes the file to a temporary beside
// it (`bytes`: a whole chromatogram file, see chromatogramBytes). Destruction without publish()
// removes both.
class PendingChromatogram {
public:
    PendingChromatogram(const std::string& folder, const std::string& stem, std::string_view bytes);
    ~PendingChromatogram();
    PendingChromatogram(const PendingChromatogram&) = delete;
    PendingChromatogram& operator=(const PendingChromatogram&) = delete;

    bool ready() const { return error_.empty(); }
    const std::string& error() const { return error_; }
    const std::string& finalPath() const { return finalPath_; }  // absolute
    // Flushes the temporary file to disk; it still has no final name. Optional ahead of publish(),
    // and may run on another thread than construction, while nothing else uses this object.
    void flush();
    // Flushes the temporary file to disk, unless flush() did, and moves it over the reserved name.
    // False with the reason, a failed flush's included.
    bool publish(std::string& error);

private:
    std::string finalPath_;
    std::string error_;
    std::string flushError_;
    platform::AtomicFileWriter writer_;
    bool published_ = false;
};

} // namespace importfiles
