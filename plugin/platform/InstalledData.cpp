#include "platform/InstalledData.h"

#include "platform/FileSeam.h"
#include "platform/Paths.h"
#include "platform/Text.h"

#include <cerrno>
#include <filesystem>
#include <system_error>

namespace platform {

namespace {

namespace fs = std::filesystem;

std::u16string describe(const std::u16string& path, const std::string& reason)
{
    return path + u": " + utf8ToUtf16(reason);
}

enum class CopyOutcome { Copied, AlreadyThere, Failed };

// The copy gets its name only once it is whole, and only while nothing has that name: a file the
// analyst (or another first run) put there meanwhile is kept.
CopyOutcome copyOne(const std::u16string& from, const std::u16string& to, std::string& reason)
{
    FileError error;
    std::string bytes;
    AtomicFileWriter writer;
    if (!createFolders(folderPart(to), 0777, error) || !readRegularFile(from, bytes, error) ||
        !writer.open(to, error) || !writer.write(bytes, error) || !writer.commitAsNew(error)) {
        if (error.code == EEXIST)
            return CopyOutcome::AlreadyThere;
        reason = error.messageUtf8();
        return CopyOutcome::Failed;
    }
    return CopyOutcome::Copied;
}

bool nameTaken(const std::u16string& path)
{
    struct stat status {};
    return fileSystemCalls().lstat(nativePath(path).c_str(), &status) == 0;
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
        if (!fileExists(from) || nameTaken(to))
            continue;
        std::string reason;
        switch (copyOne(from, to, reason)) {
        case CopyOutcome::Copied: result.copied.push_back(to); break;
        case CopyOutcome::AlreadyThere: break;
        case CopyOutcome::Failed: result.failures.push_back(describe(to, reason)); break;
        }
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
