#pragma once
// Fault injection through the file seam: a test installs FaultyCalls with ScopedFileSystemCalls and
// the next save or read meets a full disk, an I/O error or a short write where it asks for it.
#include "platform/FileSeam.h"

#include <cerrno>
#include <fcntl.h>

namespace testing_support {

enum class Op { None, Open, Write, Fsync, Close, Rename, Read, Link };

// Fails one kind of call with a given errno, optionally only on its n-th use; can also cut writes
// and reads short.
class FaultyCalls : public platform::FileSystemCalls {
public:
    Op failing = Op::None;
    int failOnCall = 1;   // 1 = the first call of that kind
    int failCode = EIO;
    int failTimes = 1;    // how many calls fail from failOnCall on
    std::size_t writeCap = 0;  // when set, a write takes at most this many bytes
    bool writeReturnsZero = false;
    std::size_t readCap = 0;   // when set, a read gives at most this many bytes
    // When set, opening an unnamed file (O_TMPFILE) fails with this errno, as on a file system
    // that cannot make them; such opens are not counted as Op::Open.
    int unnamedFileRefusal = 0;

    int open(const char* path, int flags, mode_t mode) override
    {
        const bool unnamedFile = (flags & O_TMPFILE) == O_TMPFILE;
        if (unnamedFile && unnamedFileRefusal != 0) {
            errno = unnamedFileRefusal;
            return -1;
        }
        // Folders are opened to sync them; only file opens count.
        if ((unnamedFile || !(flags & O_DIRECTORY)) && shouldFail(Op::Open))
            return -1;
        return platform::FileSystemCalls::open(path, flags, mode);
    }
    ssize_t write(int fd, const void* buffer, std::size_t size) override
    {
        if (shouldFail(Op::Write))
            return -1;
        if (writeReturnsZero)
            return 0;
        if (writeCap != 0 && size > writeCap)
            size = writeCap;
        return platform::FileSystemCalls::write(fd, buffer, size);
    }
    ssize_t read(int fd, void* buffer, std::size_t size) override
    {
        if (shouldFail(Op::Read))
            return -1;
        if (readCap != 0 && size > readCap)
            size = readCap;
        return platform::FileSystemCalls::read(fd, buffer, size);
    }
    int fsync(int fd) override { return shouldFail(Op::Fsync) ? -1 : platform::FileSystemCalls::fsync(fd); }
    int close(int fd) override
    {
        if (shouldFail(Op::Close)) {
            platform::FileSystemCalls::close(fd);  // like the kernel: the descriptor is gone even on EIO
            errno = failCode;
            return -1;
        }
        return platform::FileSystemCalls::close(fd);
    }
    int rename(const char* from, const char* to) override
    {
        return shouldFail(Op::Rename) ? -1 : platform::FileSystemCalls::rename(from, to);
    }
    int linkat(int fromFolder, const char* from, int toFolder, const char* to, int flags) override
    {
        return shouldFail(Op::Link) ? -1 : platform::FileSystemCalls::linkat(fromFolder, from, toFolder, to, flags);
    }

private:
    bool shouldFail(Op op)
    {
        if (op != failing)
            return false;
        int call = ++calls_;
        if (call >= failOnCall && call < failOnCall + failTimes) {
            errno = failCode;
            return true;
        }
        return false;
    }
    int calls_ = 0;
};

} // namespace testing_support
