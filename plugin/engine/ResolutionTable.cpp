#include "engine/ResolutionTable.h"

#include <cmath>

#include "engine/Identification.h"

ResolutionTable::ResolutionTable(const PeakList& table) : table_(table)
{
    times_.reserve(table.size());
    widths_.reserve(table.size());
    for (std::size_t k = 0; k < table.size(); ++k) {
        const Peak& peak = table[k];
        if (!std::isfinite(peak.time) || !std::isfinite(peak.front) || !std::isfinite(peak.back)
            || (k > 0 && peak.time < table[k - 1].time)) {
            ordered_ = false;
            break;
        }
        const double width = peak.back - peak.front;
        if (!std::isfinite(width)) {
            ordered_ = false;
            break;
        }
        if (width > widestPeak_)
            widestPeak_ = width;
        times_.push_back(peak.time);
        widths_.push_back(width);
    }
    if (!ordered_) {
        times_.clear();
        widths_.clear();
    }
}

double ResolutionTable::minResolution(int index) const
{
    if (!ordered_ || index < 0 || static_cast<std::size_t>(index) >= table_.size())
        return ::minResolution(table_, index);
    const auto at = static_cast<std::size_t>(index);
    const double time = times_[at];
    const double width = widths_[at];
    if (width <= 0)
        return -1;
    // Every farther peak k has w_k <= widestPeak_, so its resolution is at least this bound.
    const double widest = widestPeak_ + width;
    double best = -1;
    auto consider = [&](std::size_t k) {
        const double distance = std::fabs(times_[k] - time);
        if (best >= 0 && 2 * distance / widest > best)
            return false;
        const double otherWidth = widths_[k];
        if (otherWidth > 0) {
            const double resolution = 2 * distance / (otherWidth + width);
            if (best < 0 || best > resolution)
                best = resolution;
        }
        return true;
    };
    for (std::size_t k = at + 1; k < times_.size(); ++k)
        if (!consider(k))
            break;
    for (std::size_t k = at; k-- > 0;)
        if (!consider(k))
            break;
    return best;
}
