#include "platform/FileSeam.h"

#include "platform/Paths.h"
#include "platform/Text.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <climits>
#include <ctime>
#include <filesystem>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <unistd.h>

namespace platform {

namespace {

FileSystemCalls& kernelCalls()
{
    static FileSystemCalls calls;
    return calls;
}

FileSystemCalls* activeCalls = nullptr;

// A message such as `Cannot save "/data/table.csv": it is a folder`.
void setError(FileError& error, int code, std::u16string_view path, std::string_view what,
              std::string_view reason)
{
    error.code = code;
    error.path = std::u16string(path);
    error.message = utf8ToUtf16(what) + u" \"" + error.path + u"\": " + utf8ToUtf16(reason);
}

void setSystemError(FileError& error, int code, std::u16string_view path, std::string_view what)
{
    setError(error, code, path, what, describeSystemError(code));
}

std::string folderOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

std::string nameOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Follows symlinks by hand so that a link to a file that does not exist yet still names where the
// file is to be made. Returns false with errno in `code` when a link cannot be read or loops.
bool resolveSymlinks(const std::string& path, std::string& resolved, int& code)
{
    FileSystemCalls& calls = fileSystemCalls();
    std::string current = path;
    for (int hop = 0; hop < 40; ++hop) {
        struct stat status {};
        if (calls.lstat(current.c_str(), &status) != 0) {
            if (errno == ENOENT) {
                resolved = current;
                return true;
            }
            code = errno;
            return false;
        }
        if (!S_ISLNK(status.st_mode)) {
            resolved = current;
            return true;
        }
        std::array<char, PATH_MAX> buffer{};
        ssize_t n = calls.readlink(current.c_str(), buffer.data(), buffer.size());
        if (n < 0) {
            code = errno;
            return false;
        }
        if (static_cast<std::size_t>(n) >= buffer.size()) {
            code = ENAMETOOLONG;
            return false;
        }
        std::string link(buffer.data(), static_cast<std::size_t>(n));
        current = (!link.empty() && link.front() == '/') ? link : folderOf(current) + "/" + link;
    }
    code = ELOOP;
    return false;
}

// Why a path may not be written over, or nullptr when it may: the seam replaces regular files only.
const char* refusalOf(const struct stat& status)
{
    if (S_ISDIR(status.st_mode))
        return "it is a folder";
    if (!S_ISREG(status.st_mode))
        return "it is not a regular file";
    return nullptr;
}

int refusalCode(const struct stat& status) { return S_ISDIR(status.st_mode) ? EISDIR : EINVAL; }

bool writeAll(int fd, std::string_view bytes, int& code)
{
    FileSystemCalls& calls = fileSystemCalls();
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = calls.write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            code = errno;
            return false;
        }
        if (n == 0) {  // no progress and no reason: treat as a full device rather than spin
            code = ENOSPC;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

std::string randomSuffix()
{
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    thread_local std::mt19937 random{std::random_device{}()};
    std::uniform_int_distribution<int> pick(0, static_cast<int>(sizeof kLetters) - 2);
    std::string suffix(6, 'x');
    for (char& c : suffix)
        c = kLetters[pick(random)];
    return suffix;
}

// File systems without unnamed files answer O_TMPFILE with one of these (older kernels see a
// folder opened for writing).
bool unnamedFilesUnsupported(int code) { return code == EOPNOTSUPP || code == EISDIR || code == EINVAL; }

// A temporary's name is ".<target name>.XXXXXX" in the target's folder.
std::string temporaryBase(const std::string& target)
{
    const std::string folder = folderOf(target);
    return (folder == "/" ? std::string() : folder) + "/." + nameOf(target) + ".";
}

// The named temporary of a save that was killed before its rename stays behind under the name
// ".<target name>.XXXXXX". The next save of the same target removes such leftovers of this user
// once they are an hour old, which no save of ours takes. `matches` tells the target names whose
// leftovers go.
template <class TargetMatch>
void sweepLeftovers(const std::string& folder, TargetMatch matches)
{
    FileSystemCalls& calls = fileSystemCalls();
    const std::time_t now = std::time(nullptr);
    std::error_code listing;
    for (const auto& entry : std::filesystem::directory_iterator(folder, listing)) {
        const std::string leftover = entry.path().filename().string();
        // "." + target + "." + six characters, the target not empty.
        if (leftover.size() < 9 || leftover.front() != '.' || leftover[leftover.size() - 7] != '.' ||
            !matches(std::string_view(leftover).substr(1, leftover.size() - 8)))
            continue;
        const std::string path = entry.path().string();
        struct stat status {};
        if (calls.lstat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode) && status.st_uid == ::geteuid() &&
            now - status.st_mtime > 60 * 60)
            calls.unlink(path.c_str());
    }
}

void removeKilledSavesLeftovers(const std::string& folder, const std::string& name)
{
    sweepLeftovers(folder, [&name](std::string_view target) { return target == name; });
}

// A rename is durable only once the folder's entry is on disk too. File systems that cannot sync
// a folder say EINVAL; that is no failure of ours.
int syncFolder(const std::string& folder)
{
    FileSystemCalls& calls = fileSystemCalls();
    int fd = calls.open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
    if (fd < 0)
        return errno;
    int code = 0;
    if (calls.fsync(fd) != 0 && errno != EINVAL && errno != EROFS)
        code = errno;
    calls.close(fd);
    return code;
}

} // namespace

std::string FileError::messageUtf8() const { return utf16ToUtf8(message); }

int FileSystemCalls::open(const char* path, int flags, mode_t mode) { return ::open(path, flags, mode); }
ssize_t FileSystemCalls::read(int fd, void* buffer, std::size_t size) { return ::read(fd, buffer, size); }
ssize_t FileSystemCalls::write(int fd, const void* buffer, std::size_t size) { return ::write(fd, buffer, size); }
int FileSystemCalls::fsync(int fd) { return ::fsync(fd); }
int FileSystemCalls::close(int fd) { return ::close(fd); }
int FileSystemCalls::fstat(int fd, struct stat* status) { return ::fstat(fd, status); }
int FileSystemCalls::stat(const char* path, struct stat* status) { return ::stat(path, status); }
int FileSystemCalls::lstat(const char* path, struct stat* status) { return ::lstat(path, status); }
int FileSystemCalls::access(const char* path, int mode) { return ::faccessat(AT_FDCWD, path, mode, AT_EACCESS); }
int FileSystemCalls::fchmod(int fd, mode_t mode) { return ::fchmod(fd, mode); }
int FileSystemCalls::rename(const char* from, const char* to) { return ::rename(from, to); }
int FileSystemCalls::linkat(int fromFolder, const char* from, int toFolder, const char* to, int flags)
{
    return ::linkat(fromFolder, from, toFolder, to, flags);
}
int FileSystemCalls::unlink(const char* path) { return ::unlink(path); }
ssize_t FileSystemCalls::readlink(const char* path, char* buffer, std::size_t size) { return ::readlink(path, buffer, size); }
int FileSystemCalls::mkdir(const char* path, mode_t mode) { return ::mkdir(path, mode); }
int FileSystemCalls::rmdir(const char* path) { return ::rmdir(path); }

FileSystemCalls& fileSystemCalls() { return activeCalls ? *activeCalls : kernelCalls(); }

ScopedFileSystemCalls::ScopedFileSystemCalls(FileSystemCalls& replacement) : previous_(activeCalls)
{
    activeCalls = &replacement;
}

ScopedFileSystemCalls::~ScopedFileSystemCalls() { activeCalls = previous_; }

AtomicFileWriter::~AtomicFileWriter() { discard(); }

bool AtomicFileWriter::fail(FileError& error, int code, std::string_view what)
{
    setSystemError(error, code, displayPath_, what);
    discard();
    return false;
}

bool AtomicFileWriter::open(std::u16string_view target, FileError& error, mode_t newFileMode, Leftovers leftovers)
{
    discard();
    error = {};
    displayPath_ = std::u16string(target);
    FileSystemCalls& calls = fileSystemCalls();
    const std::string native = nativePath(target);
    if (native.empty())
        return fail(error, ENOENT, "Cannot save");
    int code = 0;
    if (!resolveSymlinks(native, target_, code))
        return fail(error, code, "Cannot save");

    struct stat status {};
    targetExisted_ = calls.lstat(target_.c_str(), &status) == 0;
    if (!targetExisted_ && errno != ENOENT)
        return fail(error, errno, "Cannot save");
    mode_t createMode = newFileMode;
    if (targetExisted_) {
        if (const char* refusal = refusalOf(status)) {
            setError(error, refusalCode(status), displayPath_, "Cannot save", refusal);
            discard();
            return false;
        }
        // Checked on the bits as well as by access(): a privileged user passes access() on
        // anything, yet a file marked read-only is not ours to replace.
        if ((status.st_mode & 0222) == 0 || calls.access(target_.c_str(), W_OK) != 0) {
            setError(error, EACCES, displayPath_, "Cannot save", "the file is read-only");
            discard();
            return false;
        }
        finalMode_ = status.st_mode & 07777;
        createMode = 0600;  // no wider than the target while it fills
    }

    if (leftovers == Leftovers::Sweep)
        removeKilledSavesLeftovers(folderOf(target_), nameOf(target_));
    if (!openTemporary(createMode, error))
        return false;
    if (targetExisted_ && calls.fchmod(fd_, finalMode_) != 0)
        return fail(error, errno, "Cannot keep the permissions of");
    return true;
}

bool AtomicFileWriter::openTemporary(mode_t mode, FileError& error)
{
    FileSystemCalls& calls = fileSystemCalls();
    const std::string folder = folderOf(target_);
    // An unnamed file needs /proc to be given a name later; without it the named way is taken.
    struct stat procStatus {};
    if (calls.stat("/proc/self/fd", &procStatus) == 0 && S_ISDIR(procStatus.st_mode)) {
        int fd = calls.open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, mode);
        if (fd >= 0) {
            fd_ = fd;
            unnamed_ = true;
            return true;
        }
        if (!unnamedFilesUnsupported(errno))
            return fail(error, errno, "Cannot create a temporary file to save");
    }
    const std::string base = temporaryBase(target_);
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string candidate = base + randomSuffix();
        int fd = calls.open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
        if (fd >= 0) {
            fd_ = fd;
            temporary_ = std::move(candidate);
            return true;
        }
        if (errno != EEXIST)
            return fail(error, errno, "Cannot create a temporary file to save");
    }
    return fail(error, EEXIST, "Cannot create a temporary file to save");
}

bool AtomicFileWriter::write(std::string_view bytes, FileError& error)
{
    if (fd_ < 0) {
        if (!error.failed())
            setError(error, EBADF, displayPath_, "Cannot write", "the file is not open");
        return false;
    }
    synced_ = false;
    int code = 0;
    if (!writeAll(fd_, bytes, code))
        return fail(error, code, "Cannot write");
    return true;
}

// Gives an unnamed temporary a name of its own beside the target, so that rename() can put it in
// place. Returns false with errno in `code`.
bool AtomicFileWriter::nameUnnamedTemporary(int& code)
{
    FileSystemCalls& calls = fileSystemCalls();
    const std::string handle = "/proc/self/fd/" + std::to_string(fd_);
    const std::string base = temporaryBase(target_);
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string candidate = base + randomSuffix();
        if (calls.linkat(AT_FDCWD, handle.c_str(), AT_FDCWD, candidate.c_str(), AT_SYMLINK_FOLLOW) == 0) {
            temporary_ = std::move(candidate);
            unnamed_ = false;
            return true;
        }
        if (errno != EEXIST) {
            code = errno;
            return false;
        }
    }
    code = EEXIST;
    return false;
}

bool AtomicFileWriter::syncTemporary(FileError& error)
{
    if (fd_ < 0) {
        if (!error.failed())
            setError(error, EBADF, displayPath_, "Cannot save", "the file is not open");
        return false;
    }
    if (synced_)
        return true;
    if (fileSystemCalls().fsync(fd_) != 0)
        return fail(error, errno, "Cannot write");
    synced_ = true;
    return true;
}

bool AtomicFileWriter::sync(FileError& error) { return syncTemporary(error); }

bool AtomicFileWriter::closeTemporary(FileError& error)
{
    const int fd = fd_;
    fd_ = -1;
    if (fileSystemCalls().close(fd) != 0)
        return fail(error, errno, "Cannot write");
    return true;
}

bool AtomicFileWriter::commit(FileError& error)
{
    if (!syncTemporary(error))
        return false;
    if (int code = 0; unnamed_ && !nameUnnamedTemporary(code))
        return fail(error, code, "Cannot save");
    if (!closeTemporary(error))
        return false;
    FileSystemCalls& calls = fileSystemCalls();
    // Looked at again just before the rename: a target that has meanwhile become a folder or a
    // device node is still left alone.
    struct stat status {};
    if (calls.lstat(target_.c_str(), &status) == 0 && refusalOf(status)) {
        setError(error, refusalCode(status), displayPath_, "Cannot save", refusalOf(status));
        discard();
        return false;
    }
    if (calls.rename(temporary_.c_str(), target_.c_str()) != 0)
        return fail(error, errno, "Cannot save");
    temporary_.clear();
    if (int code = syncFolder(folderOf(target_)); code != 0) {
        setSystemError(error, code, displayPath_, "Saved, but cannot make durable the folder of");
        return false;
    }
    return true;
}

bool AtomicFileWriter::commitAsNew(FileError& error)
{
    if (!syncTemporary(error))
        return false;
    FileSystemCalls& calls = fileSystemCalls();
    if (unnamed_) {
        // The finished file takes the target's name straight away, with no name of its own between.
        const std::string handle = "/proc/self/fd/" + std::to_string(fd_);
        if (calls.linkat(AT_FDCWD, handle.c_str(), AT_FDCWD, target_.c_str(), AT_SYMLINK_FOLLOW) != 0)
            return fail(error, errno, "Cannot create");
        unnamed_ = false;
        if (!closeTemporary(error)) {
            // Reported as not created, so the name just given goes again: nothing is left behind.
            calls.unlink(target_.c_str());
            return false;
        }
    } else {
        if (!closeTemporary(error))
            return false;
        // link() never replaces a name; the temporary's own name goes afterwards either way.
        if (calls.linkat(AT_FDCWD, temporary_.c_str(), AT_FDCWD, target_.c_str(), 0) != 0)
            return fail(error, errno, "Cannot create");
        discard();
    }
    if (int code = syncFolder(folderOf(target_)); code != 0) {
        setSystemError(error, code, displayPath_, "Created, but cannot make durable the folder of");
        return false;
    }
    return true;
}

void AtomicFileWriter::discard()
{
    FileSystemCalls& calls = fileSystemCalls();
    if (fd_ >= 0) {
        calls.close(fd_);  // an unnamed temporary is gone with its last descriptor
        fd_ = -1;
    }
    unnamed_ = false;
    synced_ = false;
    if (!temporary_.empty()) {
        calls.unlink(temporary_.c_str());
        temporary_.clear();
    }
}

void removeKilledSavesLeftovers(std::u16string_view folder, std::string_view targetEnding)
{
    const std::string native = nativePath(folder);
    if (native.empty())
        return;
    sweepLeftovers(native, [targetEnding](std::string_view target) {
        return target.size() > targetEnding.size() && target.substr(target.size() - targetEnding.size()) == targetEnding;
    });
}

bool writeFileAtomically(std::u16string_view path, std::string_view bytes, FileError& error, mode_t newFileMode)
{
    AtomicFileWriter writer;
    return writer.open(path, error, newFileMode) && writer.write(bytes, error) && writer.commit(error);
}

RegularFileReader::~RegularFileReader() { close(); }

void RegularFileReader::close()
{
    if (fd_ >= 0)
        fileSystemCalls().close(fd_);
    fd_ = -1;
}

bool RegularFileReader::open(std::u16string_view path, FileError& error)
{
    close();
    error = {};
    path_ = std::u16string(path);
    size_ = 0;
    FileSystemCalls& calls = fileSystemCalls();
    const std::string native = nativePath(path);
    // O_NONBLOCK: opening a FIFO must not wait for a writer that never comes.
    int fd = native.empty() ? (errno = ENOENT, -1) : calls.open(native.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC, 0);
    if (fd < 0) {
        setSystemError(error, errno, path, "Cannot read");
        return false;
    }
    struct stat status {};
    if (calls.fstat(fd, &status) != 0) {
        setSystemError(error, errno, path, "Cannot read");
        calls.close(fd);
        return false;
    }
    if (const char* refusal = refusalOf(status)) {
        setError(error, refusalCode(status), path, "Cannot read", refusal);
        calls.close(fd);
        return false;
    }
    fd_ = fd;
    size_ = static_cast<std::uint64_t>(status.st_size);
    return true;
}

std::uint64_t RegularFileReader::read(void* buffer, std::uint64_t size, FileError& error)
{
    if (fd_ < 0) {
        setError(error, EBADF, path_, "Cannot read", "the file is not open");
        return 0;
    }
    FileSystemCalls& calls = fileSystemCalls();
    auto* out = static_cast<char*>(buffer);
    std::uint64_t done = 0;
    while (done < size) {
        const std::size_t piece = static_cast<std::size_t>(std::min<std::uint64_t>(size - done, std::uint64_t(1) << 30));
        ssize_t n = calls.read(fd_, out + done, piece);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            setSystemError(error, errno, path_, "Cannot read");
            break;
        }
        if (n == 0)
            break;
        done += static_cast<std::uint64_t>(n);
    }
    return done;
}

bool readRegularFile(std::u16string_view path, std::string& out, FileError& error, std::uint64_t maxBytes)
{
    out.clear();
    RegularFileReader reader;
    if (!reader.open(path, error))
        return false;
    if (reader.size() > maxBytes) {
        setError(error, EFBIG, path, "Cannot read", "the file is too large");
        return false;
    }
    // One byte more than announced tells whether the file grew while it was read.
    std::uint64_t room = reader.size() + 1;
    out.resize(static_cast<std::size_t>(room));
    std::uint64_t got = reader.read(out.data(), room, error);
    while (!error.failed() && got == room) {
        if (room > maxBytes) {
            setError(error, EFBIG, path, "Cannot read", "the file is too large");
            break;
        }
        const std::uint64_t more = std::min<std::uint64_t>(room, maxBytes + 1 - room);
        out.resize(static_cast<std::size_t>(room + more));
        got += reader.read(out.data() + room, more, error);
        room += more;
    }
    if (error.failed()) {
        out.clear();
        return false;
    }
    out.resize(static_cast<std::size_t>(got));
    return true;
}

bool createNewFile(std::u16string_view path, std::string_view bytes, mode_t mode, FileError& error)
{
    error = {};
    FileSystemCalls& calls = fileSystemCalls();
    const std::string native = nativePath(path);
    int fd = native.empty() ? (errno = ENOENT, -1)
                            : calls.open(native.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
    if (fd < 0) {
        setSystemError(error, errno, path, "Cannot create");
        return false;
    }
    int code = 0;
    bool ok = writeAll(fd, bytes, code);
    if (ok && !bytes.empty() && calls.fsync(fd) != 0) {
        code = errno;
        ok = false;
    }
    if (calls.close(fd) != 0 && ok) {
        code = errno;
        ok = false;
    }
    if (!ok) {
        calls.unlink(native.c_str());
        setSystemError(error, code, path, "Cannot write");
    }
    return ok;
}

bool createNewFolder(std::u16string_view path, mode_t mode, FileError& error)
{
    error = {};
    const std::string native = nativePath(path);
    if (native.empty() || fileSystemCalls().mkdir(native.c_str(), mode) != 0) {
        setSystemError(error, native.empty() ? ENOENT : errno, path, "Cannot create the folder");
        return false;
    }
    return true;
}

bool createFolders(std::u16string_view path, mode_t mode, FileError& error)
{
    error = {};
    FileSystemCalls& calls = fileSystemCalls();
    const std::string native = nativePath(path);
    if (native.empty()) {
        setSystemError(error, ENOENT, path, "Cannot create the folder");
        return false;
    }
    // Each prefix ending before a "/", then the whole path.
    for (std::size_t end = native.find('/', 1);; end = native.find('/', end + 1)) {
        const std::string folder = native.substr(0, end);
        struct stat status {};
        if (calls.stat(folder.c_str(), &status) == 0) {
            if (!S_ISDIR(status.st_mode)) {
                setSystemError(error, ENOTDIR, fromNativePath(folder), "Cannot create the folder");
                return false;
            }
        } else if (calls.mkdir(folder.c_str(), mode) != 0 && errno != EEXIST) {
            setSystemError(error, errno, fromNativePath(folder), "Cannot create the folder");
            return false;
        }
        if (end == std::string::npos)
            return true;
    }
}

bool removeFile(std::u16string_view path, FileError& error)
{
    error = {};
    const std::string native = nativePath(path);
    if (fileSystemCalls().unlink(native.c_str()) != 0 && errno != ENOENT) {
        setSystemError(error, errno, path, "Cannot remove");
        return false;
    }
    return true;
}

bool sameFile(std::u16string_view a, std::u16string_view b)
{
    FileSystemCalls& calls = fileSystemCalls();
    struct stat first {}, second {};
    return !a.empty() && !b.empty() && calls.stat(nativePath(a).c_str(), &first) == 0 &&
           calls.stat(nativePath(b).c_str(), &second) == 0 && first.st_dev == second.st_dev &&
           first.st_ino == second.st_ino;
}

std::string describeSystemError(int code)
{
    const char* text = ::strerrordesc_np(code);
    return text ? std::string(text) : "Unknown system error " + std::to_string(code);
}

} // namespace platform
