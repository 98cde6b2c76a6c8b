#include "platform/Paths.h"

#include "platform/Text.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

std::string nativePath(std::u16string_view path) { return utf16ToUtf8(path); }
std::u16string fromNativePath(std::string_view path) { return utf8ToUtf16(path); }

std::u16string publicDocumentsFolder()
{
    const char* configured = std::getenv("VANTREL_PUBLIC_DOCUMENTS");
    if (configured && *configured)
        return fromNativePath(configured);
    const char* home = std::getenv("HOME");
    if (home && *home)
        return fromNativePath(std::string(home) + "/Public");
    return {};
}

static std::size_t lastSeparator(std::u16string_view path)
{
    return path.find_last_of(u"/\\");
}

std::u16string_view fileNamePart(std::u16string_view path)
{
    std::size_t at = lastSeparator(path);
    return at == std::u16string_view::npos ? path : path.substr(at + 1);
}

std::u16string_view folderPart(std::u16string_view path)
{
    std::size_t at = lastSeparator(path);
    return at == std::u16string_view::npos ? std::u16string_view() : path.substr(0, at);
}

bool fileExists(std::u16string_view path)
{
    struct stat st {};
    return !path.empty() && ::stat(nativePath(path).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool folderExists(std::u16string_view path)
{
    struct stat st {};
    return !path.empty() && ::stat(nativePath(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::u16string tempFolder()
{
    const char* configured = std::getenv("TMPDIR");
    std::string folder = (configured && *configured) ? configured : "/tmp";
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    return fromNativePath(folder);
}

std::u16string createTempFileName(std::u16string_view folder, std::u16string_view prefix)
{
    std::string base = nativePath(folder);
    if (!base.empty() && base.back() != '/')
        base.push_back('/');
    base += nativePath(prefix);
    std::random_device seed;
    std::mt19937 random(seed());
    // Like the system's own scheme: up to 65535 four-digit names, tried from a random start.
    unsigned start = random() & 0xFFFF;
    for (unsigned n = 0; n < 0x10000; ++n) {
        unsigned unique = (start + n) & 0xFFFF;
        if (unique == 0)
            continue;
        char suffix[16];
        std::snprintf(suffix, sizeof suffix, "%04X.tmp", unique);
        std::string candidate = base + suffix;
        int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd >= 0) {
            ::close(fd);
            return fromNativePath(candidate);
        }
        if (errno != EEXIST)
            return {};
    }
    return {};
}

bool copyFileReplace(std::u16string_view from, std::u16string_view to)
{
    int in = ::open(nativePath(from).c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return false;
    int out = ::open(nativePath(to).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (out < 0) {
        ::close(in);
        return false;
    }
    bool ok = true;
    char buffer[65536];
    for (;;) {
        ssize_t n = ::read(in, buffer, sizeof buffer);
        if (n == 0)
            break;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            ok = false;
            break;
        }
        for (ssize_t done = 0; done < n;) {
            ssize_t w = ::write(out, buffer + done, static_cast<std::size_t>(n - done));
            if (w < 0 && errno == EINTR)
                continue;
            if (w <= 0) {
                ok = false;
                break;
            }
            done += w;
        }
        if (!ok)
            break;
    }
    ::close(in);
    if (::close(out) != 0)
        ok = false;
    return ok;
}

} // namespace platform
