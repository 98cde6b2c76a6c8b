#pragma once
// minResolution for many peaks of one table. In a table in ascending time with finite values the
// search walks outwards from the peak and stops once no farther peak can be closer in resolution
// (distance over the widest peak bounds it from below); the answer is the same as minResolution's.
#include <vector>

#include "input/AssayRecord.h"

class ResolutionTable {
public:
    explicit ResolutionTable(const PeakList& table);

    double minResolution(int index) const;

private:
    const PeakList& table_;
    bool ordered_ = true;     // ascending time, every time and edge finite
    double widestPeak_ = 0;   // the largest positive width
    // Every peak's time and width (back - front), packed, while ordered_: the search outwards
    // from a peak reads these instead of the peaks.
    std::vector<double> times_;
    std::vector<double> widths_;
};
