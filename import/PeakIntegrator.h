#pragma once
// Finds and integrates the peaks of one raw detector signal, for files that come without the data
// system's own peak table (or when the analyst asks for a fresh integration).
//
// The signal is smoothed with a moving average; peaks are found where its slope rises above and
// then falls below a threshold set from the signal's own noise; each peak reaches out to where
// its tails meet the baseline. Peaks whose reaches overlap form a group on one baseline, divided
// by perpendicular drop lines at the valleys. Areas are taken from the unsmoothed signal.
#include "input/Peak.h"

#include <vector>

enum class BaselineMode {
    Drop,    // one straight baseline under a group of fused peaks, perpendicular drops between them
    Valley,  // each peak on its own baseline from valley to valley
};

struct IntegrationOptions {
    int smoothingPoints = 0;        // moving-average width in points (odd); 0 picks one from the noise
    double slopeThreshold = 5.0;    // slope that starts or ends a peak, in units of the slope's noise
    double minHeight = 0;           // in signal units; 0: ten times the noise
    double minArea = 0;             // in signal units × seconds
    BaselineMode baseline = BaselineMode::Drop;
};

class PeakIntegrator {
public:
    explicit PeakIntegrator(IntegrationOptions options = {}) : options_(options) {}

    // `times` in minutes, increasing, one per value. Peaks in time order, unnamed, with retention
    // time, area (signal × seconds), height above the baseline, start and end (front, back), the
    // point indexes (left, right) and the baseline heights at both ends.
    std::vector<Peak> integrate(const std::vector<double>& times, const std::vector<double>& values) const;

    // The signal's noise: standard deviation of the point-to-point scatter, robust against peaks.
    static double noiseLevel(const std::vector<double>& values);

private:
    IntegrationOptions options_;
};
