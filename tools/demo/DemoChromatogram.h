#pragma once
// Synthesises the chromatogram file of one demo run: two channels of signal sampled at 10 Hz, with
// Gaussian peaks on a drifting, noisy baseline, and peak tables that describe those very peaks.
#include "DemoMethod.h"
#include "input/CVantrelFile4.h"

#include <cstdint>
#include <random>

class DemoChromatogram {
public:
    static constexpr double sampleSeconds = 0.1;
    static constexpr double runMinutes = 14.0;

    // `runIndex` is the position of the run in DemoMethod::runs(); `date` its start, seconds since 1970.
    static CVantrelFile4 make(int runIndex, int64_t date, std::mt19937& random);
    // The same for a run of `plan`.
    static CVantrelFile4 make(const DemoPlan& plan, int runIndex, int64_t date, std::mt19937& random);
};
