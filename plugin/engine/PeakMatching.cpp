#include "engine/PeakMatching.h"

#include <cmath>

#include "engine/PeakSearch.h"
#include "platform/Text.h"

bool peakMatches(const Peak& peak, const Component& component)
{
    std::u16string_view peakName = platform::trimWhite(peak.name);
    if (peakName.empty())
        return false;
    if (!component.name.empty() && platform::equalNoCase(component.name, peakName))
        return true;
    std::u16string_view alt = platform::trimWhite(component.altName);
    if (alt.empty() || alt == u"-")
        return false;
    return platform::equalNoCase(alt, peakName);
}

ChannelTables firstTwoChannels(const AssayRecord& assay)
{
    ChannelTables tables;
    auto it = assay.channelPeaks.begin();
    if (it != assay.channelPeaks.end()) {
        tables.channel1 = &it->second;
        if (++it != assay.channelPeaks.end())
            tables.channel2 = &it->second;
    }
    return tables;
}

std::vector<int32_t> matchingPeaks(const PeakList& table, const Component& component)
{
    std::vector<int32_t> matches;
    for (std::size_t i = 0; i < table.size(); ++i)
        if (peakMatches(table[i], component))
            matches.push_back(static_cast<int32_t>(i));
    return matches;
}

int nearestAmong(const PeakList& table, std::span<const int32_t> matches, double t)
{
    int chosen = -1;
    double chosenDistance = 0;
    for (int32_t i : matches) {
        double distance = std::fabs(table[static_cast<std::size_t>(i)].time - t);
        if (chosen == -1 || distance < chosenDistance) {
            chosen = i;
            chosenDistance = distance;
        }
    }
    return chosen;
}

int nearestPeak(const PeakList& table, const Component& component, double t)
{
    return nearestAmong(table, matchingPeaks(table, component), t);
}
