#include "engine/Identification.h"

#include <cmath>

#include "engine/PeakSearch.h"

double minResolution(const PeakList& table, int index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= table.size())
        return -1;
    const Peak& peak = table[static_cast<std::size_t>(index)];
    const double width = peak.back - peak.front;
    if (width <= 0)
        return -1;
    double best = -1;
    for (std::size_t k = 0; k < table.size(); ++k) {
        if (k == static_cast<std::size_t>(index))
            continue;
        const double otherWidth = table[k].back - table[k].front;
        if (otherWidth <= 0)
            continue;
        const double resolution = 2 * std::fabs(table[k].time - peak.time) / (otherWidth + width);
        if (best < 0 || best > resolution)
            best = resolution;
    }
    return best;
}

int windowSearch(const PeakList& table, const Component& component, double refTime, double window,
                 int unitMode, int channel, std::u16string_view fileName, MessageLog& log)
{
    if (refTime <= 0)
        return -1;
    return windowSearchAmong(matchingPeaks(table, component).view(), component, refTime, window, unitMode, channel,
                             fileName, log);
}
