#include "engine/ResolutionTable.h"

#include <cmath>

#include "engine/Identification.h"

ResolutionTable::ResolutionTable(const PeakList& table) : table_(table)
{
    for (std::size_t k = 0; k < table.size(); ++k) {
        const Peak& peak = table[k];
        if (!std::isfinite(peak.time) || !std::isfinite(peak.front) || !std::isfinite(peak.back)
            || (k > 0 && peak.time < table[k - 1].time)) {
            ordered_ = false;
            return;
        }
        const double width = peak.back - peak.front;
        if (!std::isfinite(width)) {
            ordered_ = false;
            return;
        }
        if (width > widestPeak_)
            widestPeak_ = width;
    }
}

double ResolutionTable::minResolution(int index) const
{
    if (!ordered_ || index < 0 || static_cast<std::size_t>(index) >= table_.size())
        return ::minResolution(table_, index);
    const Peak& peak = table_[static_cast<std::size_t>(index)];
    const double width = peak.back - peak.front;
    if (width <= 0)
        return -1;
    // Every farther peak k has w_k <= widestPeak_, so its resolution is at least this bound.
    const double widest = widestPeak_ + width;
    double best = -1;
    auto consider = [&](std::size_t k) {
        const double distance = std::fabs(table_[k].time - peak.time);
        if (best >= 0 && 2 * distance / widest > best)
            return false;
        const double otherWidth = table_[k].back - table_[k].front;
        if (otherWidth > 0) {
            const double resolution = 2 * distance / (otherWidth + width);
            if (best < 0 || best > resolution)
                best = resolution;
        }
        return true;
    };
    for (std::size_t k = static_cast<std::size_t>(index) + 1; k < table_.size(); ++k)
        if (!consider(k))
            break;
    for (std::size_t k = static_cast<std::size_t>(index); k-- > 0;)
        if (!consider(k))
            break;
    return best;
}
