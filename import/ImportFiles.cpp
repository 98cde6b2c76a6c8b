#include "ImportFiles.h"

#include "input/CVantrelFile4.h"
#include "platform/Format.h"
#include "platform/Text.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace importfiles {

namespace {

std::string systemError(int code)
{
    return std::strerror(code);
}

bool syncPath(const std::string& path, int flags)
{
    int fd = -1;
    do {
        fd = ::open(path.c_str(), flags | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return false;
    int result = 0;
    do {
        result = ::fsync(fd);
    } while (result != 0 && errno == EINTR);
    ::close(fd);
    return result == 0;
}

} // namespace

bool readWhole(const std::string& path, std::vector<unsigned char>& bytes, int64_t& modified, std::string& error)
{
    bytes.clear();
    int fd = -1;
    do {
        // Non-blocking, so that a FIFO named by mistake cannot hang the import.
        fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        error = errno == ENOENT ? "file not found" : "cannot be opened (" + systemError(errno) + ")";
        return false;
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        error = "not a regular file";
        return false;
    }
    modified = static_cast<int64_t>(status.st_mtime);
    bytes.resize(static_cast<std::size_t>(status.st_size));
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t got = ::read(fd, bytes.data() + done, bytes.size() - done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            error = got == 0 ? "the file shrank while it was read" : "cannot be read (" + systemError(errno) + ")";
            ::close(fd);
            return false;
        }
        done += static_cast<std::size_t>(got);
    }
    ::close(fd);
    return true;
}

bool makeFolder(const std::string& path, std::string& error)
{
    std::error_code code;
    std::filesystem::create_directories(path, code);
    if (code || !std::filesystem::is_directory(path, code)) {
        error = platform::format8("cannot create the folder %s (%s)", {path, code ? code.message() : std::string("not a folder")});
        return false;
    }
    return true;
}

PendingChromatogram::PendingChromatogram(const std::string& folder, const std::string& stem, CVantrelFile4& file)
{
    std::error_code code;
    folder_ = std::filesystem::absolute(folder, code).lexically_normal().string();
    if (code) {
        error_ = "cannot resolve the chromatogram folder";
        return;
    }
    while (folder_.size() > 1 && folder_.back() == '/')
        folder_.pop_back();
    // Reserve the final name: created exclusively, it cannot be taken by another import meanwhile.
    for (int attempt = 1; attempt < 10000 && finalPath_.empty(); ++attempt) {
        std::string candidate = folder_ + "/" + stem + (attempt == 1 ? std::string() : platform::format8("-%d", {attempt})) + ".stg";
        int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd >= 0) {
            ::close(fd);
            finalPath_ = candidate;
        } else if (errno != EEXIST && errno != EINTR) {
            error_ = platform::format8("cannot create a file in %s (%s)", {folder_, systemError(errno)});
            return;
        }
    }
    if (finalPath_.empty()) {
        error_ = "no free file name for the chromatogram";
        return;
    }
    std::string pattern = folder_ + "/." + stem + "-XXXXXX.tmp";
    int fd = ::mkstemps(pattern.data(), 4);
    if (fd < 0) {
        error_ = platform::format8("cannot create a temporary file in %s (%s)", {folder_, systemError(errno)});
        return;
    }
    ::close(fd);
    temporaryPath_ = pattern;
    if (int32_t result = file.save(platform::utf8ToUtf16(temporaryPath_)); result != 0) {
        error_ = platform::format8("cannot write the chromatogram file (code %d)", {result});
        return;
    }
    if (!syncPath(temporaryPath_, O_RDONLY))
        error_ = "cannot flush the chromatogram file to disk";
}

bool PendingChromatogram::publish(std::string& error)
{
    if (!ready()) {
        error = error_;
        return false;
    }
    if (::rename(temporaryPath_.c_str(), finalPath_.c_str()) != 0) {
        error = platform::format8("cannot move the chromatogram file into place (%s)", {systemError(errno)});
        return false;
    }
    published_ = true;
    syncPath(folder_, O_RDONLY | O_DIRECTORY);
    return true;
}

PendingChromatogram::~PendingChromatogram()
{
    if (published_)
        return;
    if (!temporaryPath_.empty())
        ::unlink(temporaryPath_.c_str());
    if (!finalPath_.empty())
        ::unlink(finalPath_.c_str());
}

} // namespace importfiles
