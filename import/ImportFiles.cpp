#include "ImportFiles.h"

#include "platform/Format.h"
#include "platform/Text.h"

#include <cerrno>
#include <filesystem>

namespace importfiles {

namespace {

// An ANDI file of a whole day's run at a high rate stays well below this.
constexpr std::uint64_t largestInput = std::uint64_t(1) << 31;

std::string reasonOf(const platform::FileError& error)
{
    switch (error.code) {
    case ENOENT: return "file not found";
    case EACCES: return "no permission to read the file";
    case EISDIR: return "a folder, not a file";
    case EFBIG: return "the file is too large to be a chromatogram";
    default: break;
    }
    // The seam's message names the path, which the caller already puts first.
    return platform::describeSystemError(error.code);
}

} // namespace

bool readWhole(const std::string& path, std::string& bytes, int64_t& modified, std::string& error)
{
    platform::FileError failure;
    if (!platform::readRegularFile(platform::utf8ToUtf16(path), bytes, failure, largestInput)) {
        error = failure.code == 0 ? std::string("cannot be read") : reasonOf(failure);
        return false;
    }
    struct stat status {};
    modified = platform::fileSystemCalls().stat(path.c_str(), &status) == 0 ? static_cast<int64_t>(status.st_mtime) : 0;
    return true;
}

bool makeFolder(const std::string& path, std::string& error)
{
    std::error_code code;
    const std::filesystem::path absolute = std::filesystem::absolute(path, code).lexically_normal();
    std::filesystem::path partial;
    for (const std::filesystem::path& part : absolute) {
        partial /= part;
        if (part.empty() || part == "/")
            continue;
        platform::FileError failure;
        struct stat status {};
        if (platform::fileSystemCalls().stat(partial.c_str(), &status) == 0 && S_ISDIR(status.st_mode))
            continue;
        if (!platform::createNewFolder(platform::utf8ToUtf16(partial.string()), 0777, failure) && failure.code != EEXIST) {
            error = platform::format8("cannot create the folder %s (%s)", {partial.string(), platform::describeSystemError(failure.code)});
            return false;
        }
    }
    return true;
}

void removeLeftovers(const std::string& folder)
{
    platform::removeKilledSavesLeftovers(platform::utf8ToUtf16(folder), ".stg");
}

PendingChromatogram::PendingChromatogram(const std::string& folder, const std::string& stem)
{
    std::error_code code;
    std::string base = std::filesystem::absolute(folder, code).lexically_normal().string();
    while (base.size() > 1 && base.back() == '/')
        base.pop_back();
    // Reserve the final name: created exclusively, it cannot be taken by another import meanwhile.
    for (int attempt = 1; attempt < 10000 && finalPath_.empty(); ++attempt) {
        const std::string candidate = base + "/" + stem + (attempt == 1 ? std::string() : platform::format8("-%d", {attempt})) + ".stg";
        platform::FileError failure;
        if (platform::createNewFile(platform::utf8ToUtf16(candidate), "", 0644, failure)) {
            finalPath_ = candidate;
        } else if (failure.code != EEXIST) {
            error_ = platform::format8("cannot create a file in %s (%s)", {base, platform::describeSystemError(failure.code)});
            return;
        }
    }
    if (finalPath_.empty()) {
        error_ = "no free file name for the chromatogram";
        return;
    }
}

void PendingChromatogram::write(std::string_view bytes)
{
    if (!ready())
        return;
    platform::FileError failure;
    // The importer sweeps the folder for leftovers once per import (removeLeftovers), not per file.
    if (!writer_.open(platform::utf8ToUtf16(finalPath_), failure, 0666, platform::AtomicFileWriter::Leftovers::Keep) ||
        !writer_.write(bytes, failure)) {
        writeError_ = "cannot write the chromatogram file: " + failure.messageUtf8();
        return;
    }
    if (!writer_.sync(failure))
        writeError_ = "cannot store the chromatogram file: " + failure.messageUtf8();
}

bool PendingChromatogram::publish(std::string& error)
{
    if (!ready()) {
        error = error_;
        return false;
    }
    if (!writeError_.empty()) {
        error = writeError_;
        return false;
    }
    platform::FileError failure;
    if (!writer_.commit(failure)) {
        error = "cannot store the chromatogram file: " + failure.messageUtf8();
        return false;
    }
    published_ = true;
    return true;
}

PendingChromatogram::~PendingChromatogram()
{
    if (published_)
        return;
    writer_.discard();
    if (!finalPath_.empty()) {
        platform::FileError ignored;  // best effort: an empty reservation is all that can remain
        platform::removeFile(platform::utf8ToUtf16(finalPath_), ignored);
    }
}

} // namespace importfiles
