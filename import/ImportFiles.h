#pragma once
// The importer's reads and writes of outside files, kept in one place.
#include <cstdint>
#include <string>
#include <vector>

class CVantrelFile4;

namespace importfiles {

// The whole content of a regular file and its modification time (seconds since 1970). False with a
// reason when the path is missing, is no regular file, or cannot be read.
bool readWhole(const std::string& path, std::vector<unsigned char>& bytes, int64_t& modified, std::string& error);

// Creates the folder and its parents when missing.
bool makeFolder(const std::string& path, std::string& error);

// A chromatogram file that becomes visible under its final name only when published.
// Construction reserves a free final name in `folder` (from `stem`) and writes the object to a
// temporary file beside it, flushed to disk. Destruction without publish() removes both.
class PendingChromatogram {
public:
    PendingChromatogram(const std::string& folder, const std::string& stem, CVantrelFile4& file);
    ~PendingChromatogram();
    PendingChromatogram(const PendingChromatogram&) = delete;
    PendingChromatogram& operator=(const PendingChromatogram&) = delete;

    bool ready() const { return error_.empty(); }
    const std::string& error() const { return error_; }
    const std::string& finalPath() const { return finalPath_; }  // absolute
    // Moves the temporary file over the reserved name and flushes the folder.
    bool publish(std::string& error);

private:
    std::string folder_;
    std::string finalPath_;
    std::string temporaryPath_;
    std::string error_;
    bool published_ = false;
};

} // namespace importfiles
