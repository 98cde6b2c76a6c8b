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
// reserves a free final name in `folder` (from `stem`); write() puts the file in a temporary beside
// it. Destruction without publish() removes both.
class PendingChromatogram {
public:
    PendingChromatogram(const std::string& folder, const std::string& stem);
    ~PendingChromatogram();
    PendingChromatogram(const PendingChromatogram&) = delete;
    PendingChromatogram& operator=(const PendingChromatogram&) = delete;

    // Whether the name is reserved; else why not.
    bool ready() const { return error_.empty(); }
    const std::string& error() const { return error_; }
    const std::string& finalPath() const { return finalPath_; }  // absolute
    // Writes the whole chromatogram file (see chromatogramBytes) to a temporary that has no final
    // name yet and flushes it to disk. May run on another thread than construction, while nothing
    // else uses this object; a failure is reported by publish().
    void write(std::string_view bytes);
    // Moves the written file over the reserved name. False with the reason, a failed write's
    // included.
    bool publish(std::string& error);

private:
    std::string finalPath_;
    std::string error_;
    std::string writeError_;
    platform::AtomicFileWriter writer_;
    bool published_ = false;
};

} // namespace importfiles
