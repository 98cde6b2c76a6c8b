#include "platform/Paths.h"

#include "platform/FileSeam.h"
#include "platform/Text.h"

#include <cstdlib>
#include <sys/stat.h>

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

bool copyFileReplace(std::u16string_view from, std::u16string_view to, FileError* error)
{
    FileError localError;
    FileError& report = error ? *error : localError;
    report = FileError();
    // A copy onto the file itself (the same name, a hard link, a symlink to it) has nothing to do;
    // going on would replace the file with itself at best.
    if (sameFile(from, to))
        return true;
    std::string bytes;
    return readRegularFile(from, bytes, report) && writeFileAtomically(to, bytes, report);
}

} // namespace platform
