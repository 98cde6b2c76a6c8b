#include "BatchEvidence.h"

#include "engine/ComponentTable.h"
#include "platform/FileSeam.h"
#include "platform/Paths.h"
#include "report/HtmlReport.h"

#include <algorithm>
#include <filesystem>
#include <vector>

bool loadRepeatabilityLimits(const BatchOptions& options, RepeatabilityLimits& limits, std::string& error)
{
    limits.setDefault(options.repeatability);
    if (!options.limits)
        return true;
    std::string text;
    platform::FileError failure;
    // A limits file lists a few hundred components at most.
    if (!platform::readRegularFile(platform::fromNativePath(*options.limits), text, failure, 1 << 20)) {
        error = "could not read the limits file: " + failure.messageUtf8();
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
