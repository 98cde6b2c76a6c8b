#include "platform/InstalledData.h"

#include "platform/Paths.h"
#include "platform/Text.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace platform {

namespace {

namespace fs = std::filesystem;

std::u16string describe(const std::u16string& path, const std::string& reason)
{
    return path + u": " + utf8ToUtf16(reason);
}

bool syncPath(const fs::path& path, int flags)
{
    const int descriptor = ::open(path.c_str(), flags | O_CLOEXEC);
    if (descriptor < 0)
        return false;
    const bool synced = ::fsync(descriptor) == 0;
    return ::close(descriptor) == 0 && synced;
}

// link(2) gives the finished copy its name only when nothing has that name yet.
bool copyOne(const std::u16string& from, const std::u16string& to, std::string& reason)
{
    std::error_code error;
    const fs::path target(nativePath(to));
    fs::create_directories(target.parent_path(), error);
    if (error) {
        reason = error.message();
        return false;
    }
    const fs::path partial = target.string() + ".part" + std::to_string(getpid());
    if (!copyFileReplace(from, fromNativePath(partial.string())) || !syncPath(partial, O_RDONLY)) {
        reason = "cannot copy " + nativePath(from);
        fs::remove(partial, error);
        return false;
    }
    const bool linked = ::link(partial.c_str(), target.c_str()) == 0;
    const int linkError = errno;
    fs::remove(partial, error);
    if (!linked && linkError != EEXIST) {
        reason = std::strerror(linkError);
        return false;
    }
    syncPath(target.parent_path(), O_RDONLY | O_DIRECTORY);
    return true;
}

} // namespace

const std::vector<InstalledDataFile>& installedDataFiles()
{
    static const std::vector<InstalledDataFile> files = {
        {"Report.xsl", "/Vantrel4/Templates/vexol/Report.xsl"},
        {"CompsTableVexol.csv", "/Vantrel4/vexol/CompsTableVexol.csv"},
    };
    return files;
}

InstalledDataCopy copyMissingInstalledData(const std::u16string& dataFolder, const std::u16string& publicFolder)
{
    InstalledDataCopy result;
    if (publicFolder.empty())
        return result;
    for (const InstalledDataFile& file : installedDataFiles()) {
        const std::u16string from = dataFolder + u"/" + utf8ToUtf16(file.fileName);
        const std::u16string to = publicFolder + utf8ToUtf16(file.publicPath);
        std::error_code error;
        if (!fileExists(from) || fs::exists(fs::symlink_status(nativePath(to), error)))
            continue;
        std::string reason;
        if (copyOne(from, to, reason))
            result.copied.push_back(to);
        else
            result.failures.push_back(describe(to, reason));
    }
    return result;
}

std::u16string programFolder()
{
    std::error_code error;
    const fs::path program = fs::read_symlink("/proc/self/exe", error);
    if (error)
        return {};
    return fromNativePath(program.parent_path().string());
}

} // namespace platform
