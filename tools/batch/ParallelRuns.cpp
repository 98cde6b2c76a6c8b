#include "ParallelRuns.h"

#include "engine/PeakMatching.h"

#include <cmath>

std::optional<double> relativeDifference(const std::vector<double>& values)
{
    if (values.size() != 2)
        return std::nullopt;
    const double mean = (values[0] + values[1]) / 2;
    if (mean == 0 || !std::isfinite(mean))
        return std::nullopt;
    return std::fabs(values[0] - values[1]) / std::fabs(mean) * 100.0;
}

std::optional<bool> acceptance(const std::optional<double>& relativeDifference, const std::optional<double>& limit)
{
    if (!limit)
        return std::nullopt;
    return relativeDifference && *relativeDifference <= *limit;
}

std::vector<ParallelRuns> parallelRuns(const AssayMap& assays, const ComponentList& components,
                                       const CalculationResult& result, const RepeatabilityLimits& limits)
{
    // The calculation walks the workspace's assays in this same order.
    std::vector<const AssayRecord*> analysis;
    for (const auto& [id, record] : assays)
        if (!record.isCalibration)
            analysis.push_back(&record);

    std::vector<ParallelRuns> runs;
    runs.reserve(result.quantitation.size());
    for (std::size_t c = 0; c < result.quantitation.size(); ++c) {
        ParallelRuns entry;
        const bool fitted = c < result.calibration.size() && result.calibration[c].fitted;
        if (fitted && c < components.size()) {
            const CalibrationRow& line = result.calibration[c];
            for (const AssayRecord* record : analysis)
                for (const Peak& peak : record->peaks)
                    if (peakMatches(peak, components[c])) {
                        entry.values.push_back(line.k1 * peak.area + line.k0);
                        break;
                    }
        }
        entry.relativeDifference = relativeDifference(entry.values);
        entry.limit = limits.limitFor(result.quantitation[c].name);
        entry.accepted = acceptance(entry.relativeDifference, entry.limit);
        runs.push_back(std::move(entry));
    }
    return runs;
}
