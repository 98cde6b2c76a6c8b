#include "BatchEvidence.h"

#include "engine/ComponentTable.h"
#include "platform/Paths.h"
#include "report/HtmlReport.h"
#include "report/ReportFiles.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

bool loadRepeatabilityLimits(const BatchOptions& options, RepeatabilityLimits& limits, std::string& error)
{
    limits.setDefault(options.repeatability);
    if (!options.limits)
        return true;
    std::string text;
    if (!reportfiles::readWholeFile(platform::fromNativePath(*options.limits), text)) {
        error = "could not read the limits file " + *options.limits;
        return false;
    }
    if (!readRepeatabilityLimits(text, limits, error)) {
        error = *options.limits + ": " + error;
        return false;
    }
    return true;
}

namespace {

// Recorded whole, so that the record still names the file when read from another folder.
std::string absolutePath(const std::string& path)
{
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute.lexically_normal().string();
}

InputFile fingerprint(const char* role, const std::string& path) { return fingerprintFile(role, absolutePath(path)); }

} // namespace

Provenance collectProvenance(const BatchOptions& options, const AssayMap& assays, std::time_t startedAt)
{
    Provenance provenance;
    provenance.startedAt = isoUtcTime(startedAt);
    provenance.commandLine = options.commandLine;
    provenance.versions = softwareVersions();

    provenance.inputs.push_back(fingerprint("database", options.database));
    // The order of the ids as given, so that the record reads like the command line.
    std::vector<int32_t> seen;
    for (int32_t id : options.ids) {
        auto record = assays.find(id);
        if (record == assays.end() || std::find(seen.begin(), seen.end(), id) != seen.end())
            continue;
        seen.push_back(id);
        if (!record->second.fileName.empty())
            provenance.inputs.push_back(fingerprint("chromatogram", platform::nativePath(record->second.fileName)));
    }
    const std::string components = options.components ? *options.components : platform::nativePath(componentTablePath());
    if (!components.empty())
        provenance.inputs.push_back(fingerprint("components", components));
    if (options.limits)
        provenance.inputs.push_back(fingerprint("limits", *options.limits));
    if (options.report) {
        const std::string templateFile =
            options.templateFile ? *options.templateFile : platform::nativePath(HtmlReport::installedTemplatePath());
        if (!templateFile.empty())
            provenance.inputs.push_back(fingerprint("template", templateFile));
    }
    return provenance;
}

int writeFileReplacing(const std::string& path, std::string_view bytes)
{
    const std::filesystem::path target(path);
    std::filesystem::path folder = target.parent_path();
    if (folder.empty())
        folder = ".";
    std::string temporary = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0)
        return errno;
    int error = 0;
    for (std::size_t written = 0; written < bytes.size() && error == 0;) {
        const ssize_t put = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (put < 0 && errno != EINTR)
            error = errno;
        else if (put > 0)
            written += static_cast<std::size_t>(put);
    }
    // mkstemp makes the file private; an output gets the permissions any new file would.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    if (error == 0 && ::fchmod(fd, 0666 & ~mask) != 0)
        error = errno;
    if (error == 0 && ::fsync(fd) != 0)
        error = errno;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error == 0 && ::rename(temporary.c_str(), path.c_str()) != 0)
        error = errno;
    if (error != 0) {
        ::unlink(temporary.c_str());
        return error;
    }
    const int folderFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd >= 0) {
        ::fsync(folderFd);
        ::close(folderFd);
    }
    return 0;
}
