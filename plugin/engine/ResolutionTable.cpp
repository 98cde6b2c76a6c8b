#include "engine/ResolutionTable.h"

#include <cmath>

#include "engine/Identification.h"

ResolutionTable::ResolutionTable(const PeakList& table) : table_(table)
{
    for (const Peak& peak : table)
        shape_.add(peak);
}

double ResolutionTable::minResolution(int index) const
{
    if (!shape_.ordered() || index < 0 || static_cast<std::size_t>(index) >= table_.size())
        return ::minResolution(table_, index);
    const auto at = static_cast<std::size_t>(index);
    const double time = table_[at].time;
    const double width = table_[at].back - table_[at].front;
    if (width <= 0)
        return -1;
    // Every farther peak k has w_k <= the widest peak, so its resolution is at least this bound.
    const double widest = shape_.widestPeak() + width;
    double best = -1;
    auto consider = [&](std::size_t k) {
        const Peak& other = table_[k];
        const double distance = std::fabs(other.time - time);
        if (best >= 0 && 2 * distance / widest > best)
            return false;
        const double otherWidth = other.back - other.front;
        if (otherWidth > 0) {
            const double resolution = 2 * distance / (otherWidth + width);
            if (best < 0 || best > resolution)
                best = resolution;
        }
        return true;
    };
    for (std::size_t k = at + 1; k < table_.size(); ++k)
        if (!consider(k))
            break;
    for (std::size_t k = at; k-- > 0;)
        if (!consider(k))
            break;
    return best;
}
