#pragma once
// The one place where the system reads and writes outside files. Every layer goes through it so
// that a save never leaves a cut-off file where a good one stood, a planted name is never followed,
// and an input that is not a regular file (a FIFO, a folder, /dev/zero) never hangs or floods a
// read. All system calls pass through FileSystemCalls, which tests replace to inject faults.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <sys/types.h>

namespace platform {

// A failed file operation: the system's error number and a message that names the path, such as
// `Cannot write "/data/report.html": No space left on device`.
struct FileError {
    int code = 0;             // errno; 0 when nothing failed
    std::u16string path;      // the file the message names
    std::u16string message;   // English, whatever the process locale

    bool failed() const { return code != 0; }
    std::string messageUtf8() const;
};

// The system calls the seam uses. The defaults call the kernel; a test derives and overrides the
// ones it wants to fail.
class FileSystemCalls {
public:
    virtual ~FileSystemCalls() = default;
    virtual int open(const char* path, int flags, mode_t mode);
    virtual ssize_t read(int fd, void* buffer, std::size_t size);
    virtual ssize_t write(int fd, const void* buffer, std::size_t size);
    virtual int fsync(int fd);
    virtual int close(int fd);
    virtual int fstat(int fd, struct stat* status);
    virtual int stat(const char* path, struct stat* status);
    virtual int lstat(const char* path, struct stat* status);
    virtual int access(const char* path, int mode);  // effective ids, like faccessat(AT_EACCESS)
    virtual int fchmod(int fd, mode_t mode);
    virtual int rename(const char* from, const char* to);
    virtual int linkat(int fromFolder, const char* from, int toFolder, const char* to, int flags);
    virtual int unlink(const char* path);
    virtual ssize_t readlink(const char* path, char* buffer, std::size_t size);
    virtual int mkdir(const char* path, mode_t mode);
    virtual int rmdir(const char* path);
};

// The calls in effect (the kernel's unless a test has replaced them).
FileSystemCalls& fileSystemCalls();

// Replaces the calls for the life of the object; for tests. Not for concurrent use.
class ScopedFileSystemCalls {
public:
    explicit ScopedFileSystemCalls(FileSystemCalls& replacement);
    ~ScopedFileSystemCalls();
    ScopedFileSystemCalls(const ScopedFileSystemCalls&) = delete;
    ScopedFileSystemCalls& operator=(const ScopedFileSystemCalls&) = delete;

private:
    FileSystemCalls* previous_;
};

// Writes a file as a whole or not at all: the bytes go to a new temporary file in the target's
// folder, and commit() makes them durable and renames the temporary over the target. Until then the
// old target stays untouched; destroying an uncommitted writer removes the temporary.
// The temporary has no name while it fills (O_TMPFILE): a process killed mid-write leaves nothing
// in the folder. It is named ".<target name>.XXXXXX" only between its last sync and the rename.
// Where the file system cannot make unnamed files it is a named temporary from the start, and a
// later save of the same target removes one that a killed save left behind.
// A symlinked target is followed (the file it names is replaced, the link stays); an existing
// target keeps its permission bits; a folder, FIFO, device or socket is refused and left alone, and
// so is a target without write permission.
class AtomicFileWriter {
public:
    AtomicFileWriter() = default;
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    // Whether open() first removes what killed saves of the same target left in its folder (see
    // removeKilledSavesLeftovers). A caller saving many files into one folder sweeps it once
    // itself instead of listing the folder for every file.
    enum class Leftovers { Sweep, Keep };

    // newFileMode applies when the target does not exist yet (the umask still applies to it).
    bool open(std::u16string_view target, FileError& error, mode_t newFileMode = 0666,
              Leftovers leftovers = Leftovers::Sweep);
    bool write(std::string_view bytes, FileError& error);
    // Makes the bytes written so far durable ahead of commit(), which then has only the rename left
    // to wait for: a caller can flush on one thread while it does other work on another. Optional.
    bool sync(FileError& error);
    bool commit(FileError& error);
    // Like commit(), but the file takes the target's name only while nothing has that name: a file
    // that appeared there meanwhile stays as it is, and the error code is EEXIST.
    bool commitAsNew(FileError& error);
    // Removes the temporary and forgets the target; harmless when nothing is open.
    void discard();

    bool isOpen() const { return fd_ >= 0; }
    // The file the bytes finally land in (a symlinked target resolved).
    const std::string& resolvedTarget() const { return target_; }
    // The temporary's name; empty while the temporary has none.
    const std::string& temporaryPath() const { return temporary_; }

private:
    bool fail(FileError& error, int code, std::string_view what);
    bool openTemporary(mode_t mode, FileError& error);
    bool syncTemporary(FileError& error);
    bool closeTemporary(FileError& error);
    bool nameUnnamedTemporary(int& code);

    int fd_ = -1;
    bool unnamed_ = false;  // the temporary is an O_TMPFILE file
    bool synced_ = false;   // nothing written since the last sync
    std::u16string displayPath_;
    std::string target_;
    std::string temporary_;
    bool targetExisted_ = false;
    mode_t finalMode_ = 0;
};

// A save killed before its rename may leave its temporary behind as ".<target name>.XXXXXX".
// Removes such leftovers in `folder` for every target whose name ends in `targetEnding` (".stg",
// say), once they are an hour old, which no save takes, and only this user's regular files.
void removeKilledSavesLeftovers(std::u16string_view folder, std::string_view targetEnding);

// The whole content in one call, through AtomicFileWriter.
bool writeFileAtomically(std::u16string_view path, std::string_view bytes, FileError& error,
                         mode_t newFileMode = 0666);

// Reads a regular file piece by piece. open() refuses anything else (FIFO, folder, device,
// socket) before a byte is read and never waits on a FIFO's writer.
class RegularFileReader {
public:
    RegularFileReader() = default;
    ~RegularFileReader();
    RegularFileReader(const RegularFileReader&) = delete;
    RegularFileReader& operator=(const RegularFileReader&) = delete;

    bool open(std::u16string_view path, FileError& error);
    // The size when opened; the file may grow or shrink while it is read.
    std::uint64_t size() const { return size_; }
    // Fills up to `size` bytes, riding over interruptions and short reads. Returns the count read,
    // less than asked only at the end of the file or on a failure (then `error` is set).
    std::uint64_t read(void* buffer, std::uint64_t size, FileError& error);
    void close();

private:
    int fd_ = -1;
    std::uint64_t size_ = 0;
    std::u16string path_;
};

// Default limit of readRegularFile: far above any table, template or report the system reads.
inline constexpr std::uint64_t kDefaultReadLimit = std::uint64_t(1) << 30;

// Reads a whole regular file. Anything else (FIFO, folder, device, socket) is refused before a
// byte is read, and so is a file larger than maxBytes; the open never waits on a FIFO's writer.
bool readRegularFile(std::u16string_view path, std::string& out, FileError& error,
                     std::uint64_t maxBytes = kDefaultReadLimit);

// Creates a new file under a name nobody holds yet (never follows a symlink, never truncates) and
// writes the bytes into it. When the name is taken the error code is EEXIST, so a caller that tries
// several names can move on. A partly written file is removed.
bool createNewFile(std::u16string_view path, std::string_view bytes, mode_t mode, FileError& error);

// Creates a new folder (never an existing one) with the given mode.
bool createNewFolder(std::u16string_view path, mode_t mode, FileError& error);

// Makes every folder of the path that is missing; folders already there are success. A file in
// the way is ENOTDIR.
bool createFolders(std::u16string_view path, mode_t mode, FileError& error);

// Removes a file's name (a symlink itself, not what it points to). A name that is already gone is
// success.
bool removeFile(std::u16string_view path, FileError& error);

// True when both paths exist and name the same file (same device and inode), symlinks followed:
// saving onto itself, or an output that names an input.
bool sameFile(std::u16string_view a, std::u16string_view b);

// The system's English description of an error number, whatever the process locale.
std::string describeSystemError(int code);

} // namespace platform
