#include "report/ReportFiles.h"

#include "platform/Paths.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace reportfiles {

bool readWholeFile(std::u16string_view path, std::string& bytes)
{
    bytes.clear();
    int fd = ::open(platform::nativePath(path).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return false;
    }
    bytes.reserve(static_cast<std::size_t>(st.st_size));
    char buffer[65536];
    bool ok = true;
    for (;;) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n == 0)
            break;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            ok = false;
            break;
        }
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return ok;
}

int writeWholeFile(std::u16string_view path, std::string_view bytes)
{
    const std::string native = platform::nativePath(path);
    int fd = ::open(native.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return errno;
    int error = 0;
    for (std::size_t done = 0; done < bytes.size();) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            error = n < 0 ? errno : EIO;
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error != 0)
        ::unlink(native.c_str());
    return error;
}

std::string describeSystemError(int error)
{
    const char* text = ::strerrordesc_np(error);
    return text ? std::string(text) : "Unknown system error " + std::to_string(error);
}

} // namespace reportfiles
