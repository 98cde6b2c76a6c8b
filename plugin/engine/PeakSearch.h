#pragma once
// The searches of the calculation over a given set of name matches. The public helpers
// (nearestPeak, windowSearch) and the pass, which finds the name matches once per table, share
// these, so both give the same answers.
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "engine/Component.h"
#include "input/AssayRecord.h"

class MessageLog;

// The peaks of one table that match one component: their indices into the table (ascending) and
// their times beside them, so that a search reads a few packed numbers, not the peaks themselves.
struct PeakMatches {
    std::span<const int32_t> indices;
    std::span<const double> times;
    // The times are numbers (never NaN) that never fall: the searches may bisect.
    bool timeOrdered = false;
};

// The matches of a component in a table, held for the public helpers that search one table once.
struct OwnedPeakMatches {
    std::vector<int32_t> indices;
    std::vector<double> times;
    bool timeOrdered = false;

    PeakMatches view() const { return {indices, times, timeOrdered}; }
};
OwnedPeakMatches matchingPeaks(const PeakList& table, const Component& component);

// Whether `times` never fall and hold no NaN.
bool ascendingTimes(std::span<const double> times);

// Among the matches, the table index of the peak whose time is closest to t; the earlier on equal
// distance; -1 for none.
int nearestAmong(const PeakMatches& matches, double t);
// The same peak as its position among the matches (its time is times[position]), or -1.
int nearestPositionAmongSeveral(const PeakMatches& matches, double t);
inline int nearestPosition(const PeakMatches& matches, double t)
{
    // A lone match is the nearest whatever its distance, NaN included.
    if (matches.times.size() <= 1)
        return matches.times.empty() ? -1 : 0;
    return nearestPositionAmongSeveral(matches, t);
}

// Among the matches, the table index of the peak closest to refTime within the window, or -1;
// warns when there were matches but none in the window.
int windowSearchAmong(const PeakMatches& matches, const Component& component, double refTime, double window,
                      int unitMode, int channel, std::u16string_view fileName, MessageLog& log);
// The same peak as its position among the matches, or -1; warns alike.
int windowSearchPosition(const PeakMatches& matches, const Component& component, double refTime, double window,
                         int unitMode, int channel, std::u16string_view fileName, MessageLog& log);
