#pragma once
// The two parallel determinations behind a reported concentration: the concentration each
// analysis chromatogram gave, how far apart they are, and whether that is within the component's
// acceptance limit.
#include <optional>
#include <vector>

#include "RepeatabilityLimits.h"
#include "engine/CalculationResult.h"
#include "engine/Component.h"
#include "input/AssayRecord.h"

struct ParallelRuns {
    // Per contributing analysis chromatogram, in the calculation's order of them: their mean is
    // the quantitation row's concentration.
    std::vector<double> values;
    std::optional<double> relativeDifference;   // |x1 - x2| / |mean| * 100
    std::optional<double> limit;                // percent
    std::optional<bool> accepted;               // relativeDifference <= limit
};

// |x1 - x2| / |mean| * 100 for exactly two values; none for fewer values or a zero mean. The mean
// is taken by its size, so that a (meaningless) negative mean never passes for agreement.
std::optional<double> relativeDifference(const std::vector<double>& values);

// Acceptance: the difference within the limit. None when there is no limit; false when the
// difference cannot be computed, since a single or undefined determination is no evidence of
// agreement.
std::optional<bool> acceptance(const std::optional<double>& relativeDifference, const std::optional<double>& limit);

// One entry per row of `result.quantitation`. Each analysis chromatogram's value repeats the
// calculation's own rule: its first database peak named like the component, converted by the
// calibration line with intercept.
std::vector<ParallelRuns> parallelRuns(const AssayMap& assays, const ComponentList& components,
                                       const CalculationResult& result, const RepeatabilityLimits& limits);
