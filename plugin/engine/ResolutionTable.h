#pragma once
// minResolution for many peaks of one table. In a table in ascending time with finite values the
// search walks outwards from the peak and stops once no farther peak can be closer in resolution
// (distance over the widest peak bounds it from below); the answer is the same as minResolution's.
#include <cmath>

#include "input/AssayRecord.h"

// What the outward search needs to know of a whole table, learnt peak by peak in a sweep that the
// pass makes over every table anyway (the name matching), so that no second sweep is needed.
class ResolutionShape {
public:
    void add(const Peak& peak)
    {
        if (!ordered_)
            return;
        const double width = peak.back - peak.front;
        if (!std::isfinite(peak.time) || !std::isfinite(peak.front) || !std::isfinite(peak.back) ||
            !std::isfinite(width) || peak.time < previousTime_) {
            ordered_ = false;
            return;
        }
        previousTime_ = peak.time;
        if (width > widestPeak_)
            widestPeak_ = width;
    }

    bool ordered() const { return ordered_; }
    double widestPeak() const { return widestPeak_; }

private:
    bool ordered_ = true;              // ascending time, every time and edge finite
    double previousTime_ = -INFINITY;
    double widestPeak_ = 0;            // the largest positive width
};

class ResolutionTable {
public:
    explicit ResolutionTable(const PeakList& table);
    // `shape` was learnt from every peak of `table`, in order.
    ResolutionTable(const PeakList& table, const ResolutionShape& shape) : table_(table), shape_(shape) {}

    double minResolution(int index) const;

private:
    const PeakList& table_;
    ResolutionShape shape_;
};
