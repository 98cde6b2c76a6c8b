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

} // namespace

std::vector<std::pair<const char*, std::string>> inputFiles(const BatchOptions& options, const AssayMap& assays)
{
    std::vector<std::pair<const char*, std::string>> inputs;
    inputs.emplace_back("database", options.database);
    // The order of the ids as given, so that the record reads like the command line.
    std::vector<int32_t> seen;
    for (int32_t id : options.ids) {
        auto record = assays.find(id);
        if (record == assays.end() || std::find(seen.begin(), seen.end(), id) != seen.end())
            continue;
        seen.push_back(id);
        if (!record->second.fileName.empty())
            inputs.emplace_back("chromatogram", platform::nativePath(record->second.fileName));
    }
    const std::string components = options.components ? *options.components : platform::nativePath(componentTablePath());
    if (!components.empty())
        inputs.emplace_back("components", components);
    if (options.limits)
        inputs.emplace_back("limits", *options.limits);
    if (options.report) {
        const std::string templateFile =
            options.templateFile ? *options.templateFile : platform::nativePath(HtmlReport::installedTemplatePath());
        if (!templateFile.empty())
            inputs.emplace_back("template", templateFile);
    }
    return inputs;
}

std::optional<std::string> inputNamedBy(const std::string& output, const BatchOptions& options, const AssayMap& assays)
{
    for (const auto& [role, path] : inputFiles(options, assays))
        if (platform::sameFile(platform::fromNativePath(output), platform::fromNativePath(path)))
            return path;
    return std::nullopt;
}

Provenance collectProvenance(const BatchOptions& options, const AssayMap& assays, std::time_t startedAt)
{
    Provenance provenance;
    provenance.startedAt = isoUtcTime(startedAt);
    provenance.commandLine = options.commandLine;
    provenance.versions = softwareVersions();
    for (const auto& [role, path] : inputFiles(options, assays))
        provenance.inputs.push_back(fingerprintFile(role, absolutePath(path)));
    return provenance;
}
