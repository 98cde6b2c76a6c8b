#pragma once
// The rules by which the calculation finds a component's peaks. peakMatches is the single rule of
// whether a peak belongs to a component; every stage relies on it.
#include <string>

#include "engine/Component.h"
#include "input/AssayRecord.h"

// The peak's name, trimmed, equals the component's name (untrimmed) or its trimmed alternative
// name (unless that is empty or "-"), without regard to letter case.
bool peakMatches(const Peak& peak, const Component& component);

// The first two peak tables of an assay in ascending channel number: channel 1 and channel 2 of
// the calculation. Either may be absent (nullptr).
struct ChannelTables {
    const PeakList* channel1 = nullptr;
    const PeakList* channel2 = nullptr;
    const PeakList* channel(int number) const { return number == 2 ? channel2 : channel1; }
};
ChannelTables firstTwoChannels(const AssayRecord& assay);

// Index of the matching peak whose time is closest to t (the earlier one on equal distance);
// -1 when no peak matches.
int nearestPeak(const PeakList& table, const Component& component, double t);
