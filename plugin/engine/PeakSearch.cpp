#include "engine/PeakSearch.h"

#include <algorithm>
#include <cmath>

#include "engine/MessageLog.h"
#include "engine/PassMessages.h"
#include "engine/PeakMatching.h"
#include "platform/Format.h"

namespace {

// Positions into the matches; the answer is the table index at that position.
using Position = std::size_t;

// Linear form: any order of times, NaN included.
int nearestLinear(const PeakMatches& matches, double t)
{
    int chosen = -1;
    double chosenDistance = 0;
    for (Position k = 0; k < matches.times.size(); ++k) {
        const double distance = std::fabs(matches.times[k] - t);
        if (chosen == -1 || distance < chosenDistance) {
            chosen = static_cast<int>(k);
            chosenDistance = distance;
        }
    }
    return chosen;
}

// The answers below are positions into the matches, -1 for none.

// Distances to t fall (never rise) over the ascending times below t and rise (never fall) over
// those from t on, because a rounded subtraction keeps the order of its operands. So the nearest
// below t and the nearest from t on are found by bisection; of several at the same distance the
// earliest in the table is the first of its run.
int nearestOrdered(const PeakMatches& matches, double t)
{
    const std::span<const double> times = matches.times;
    if (times.empty())
        return -1;
    if (std::isnan(t))
        return 0;  // every distance is NaN: the first match stays chosen
    auto distance = [&](Position k) { return std::fabs(times[k] - t); };
    const Position from = static_cast<Position>(std::partition_point(times.begin(), times.end(),
                                                                     [&](double time) { return time < t; }) -
                                                times.begin());
    if (from == 0)
        return 0;
    const double below = distance(from - 1);
    Position firstBelow = 0;
    for (Position count = from; count > 0;) {  // the first position below t at distance `below`
        const Position half = count / 2;
        if (distance(firstBelow + half) > below) {
            firstBelow += half + 1;
            count -= half + 1;
        } else {
            count = half;
        }
    }
    if (from == times.size() || below <= distance(from))
        return static_cast<int>(firstBelow);
    return static_cast<int>(from);
}

} // namespace

OwnedPeakMatches matchingPeaks(const PeakList& table, const Component& component)
{
    OwnedPeakMatches matches;
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (peakMatches(table[i], component)) {
            matches.indices.push_back(static_cast<int32_t>(i));
            matches.times.push_back(table[i].time);
        }
    }
    matches.timeOrdered = ascendingTimes(matches.times);
    return matches;
}

bool ascendingTimes(std::span<const double> times)
{
    double previous = -INFINITY;
    for (double time : times) {
        if (!(time >= previous))  // NaN or a step back
            return false;
        previous = time;
    }
    return true;
}

int nearestPositionAmongSeveral(const PeakMatches& matches, double t)
{
    return matches.timeOrdered ? nearestOrdered(matches, t) : nearestLinear(matches, t);
}

int nearestAmong(const PeakMatches& matches, double t)
{
    const int k = nearestPosition(matches, t);
    return k < 0 ? -1 : matches.indices[static_cast<std::size_t>(k)];
}

int windowSearchAmong(const PeakMatches& matches, const Component& component, double refTime, double window,
                      int unitMode, int channel, std::u16string_view fileName, MessageLog& log)
{
    const int k = windowSearchPosition(matches, component, refTime, window, unitMode, channel, fileName, log);
    return k < 0 ? -1 : matches.indices[static_cast<std::size_t>(k)];
}

int windowSearchPosition(const PeakMatches& matches, const Component& component, double refTime, double window,
                         int unitMode, int channel, std::u16string_view fileName, MessageLog& log)
{
    if (refTime <= 0)
        return -1;
    const double halfWidth = unitMode == 1 ? window : refTime * window / 100;
    const std::span<const double> times = matches.times;
    auto distance = [&](Position k) { return std::fabs(times[k] - refTime); };
    auto inWindow = [&](Position k) { return halfWidth > 0 && distance(k) <= halfWidth; };

    int chosen = -1;
    double chosenDistance = 0;
    auto consider = [&](Position k) {
        if (inWindow(k) && (chosen == -1 || distance(k) < chosenDistance)) {
            chosen = static_cast<int>(k);
            chosenDistance = distance(k);
        }
    };
    if (times.size() == 1) {  // the usual case: one peak of the name in the table
        consider(0);
    } else if (!matches.timeOrdered) {
        for (Position k = 0; k < times.size(); ++k)
            consider(k);
    } else if (halfWidth > 0) {
        // In ascending time the peaks before the window form a prefix (their distance only shrinks
        // towards refTime) and those after it a suffix; the window is the run between them.
        Position k = 0;
        for (Position count = times.size(); count > 0;) {
            const Position half = count / 2;
            if (times[k + half] < refTime && !inWindow(k + half)) {
                k += half + 1;
                count -= half + 1;
            } else {
                count = half;
            }
        }
        for (; k < times.size(); ++k) {
            if (!inWindow(k) && !(times[k] < refTime))
                break;
            consider(k);
        }
    }
    if (!times.empty() && chosen == -1)
        log.writeWarning([&](std::u16string& out) { appendOutOfWindowText(out, fileName, component.name, channel); });
    return chosen;
}
