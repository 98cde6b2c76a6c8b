#include "engine/PeakMatching.h"

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

int nearestPeak(const PeakList& table, const Component& component, double t)
{
    return nearestAmong(matchingPeaks(table, component).view(), t);
}
