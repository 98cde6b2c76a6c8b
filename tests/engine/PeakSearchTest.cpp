// The window and nearest-peak searches bisect tables in ascending time; these cases pin them to the
// plain rule (closest matching peak, closed window, the earlier one on equal distance) at the exact
// edges of the window, with equal retention times, and against a brute-force reading of the rule.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>

#include "TestWorkspace.h"
#include "engine/Identification.h"
#include "engine/MessageLog.h"
#include "engine/PeakMatching.h"

namespace {

// The rule itself, peak by peak in table order.
int windowRule(const PeakList& table, const Component& c, double refTime, double halfWidth)
{
    int chosen = -1;
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (!peakMatches(table[i], c))
            continue;
        const double d = std::fabs(table[i].time - refTime);
        if (halfWidth > 0 && d <= halfWidth && (chosen == -1 || d < std::fabs(table[chosen].time - refTime)))
            chosen = static_cast<int>(i);
    }
    return chosen;
}

int nearestRule(const PeakList& table, const Component& c, double t)
{
    int chosen = -1;
    for (std::size_t i = 0; i < table.size(); ++i)
        if (peakMatches(table[i], c) && (chosen == -1 || std::fabs(table[i].time - t) < std::fabs(table[chosen].time - t)))
            chosen = static_cast<int>(i);
    return chosen;
}

} // namespace

TEST(WindowSearchBisection, PeaksAtTheExactEdgesCountWhenTheirDistanceIsTheHalfWidth)
{
    const Component c = component(u"A", 10);
    struct Case {
        double refTime, window;
        int unitMode;
    } cases[] = {{10.0, 2, 0}, {10.0, 0.15, 1}, {2.0, 0.15, 1}, {0.3, 7, 0}, {57.123, 3, 0}, {1e-3, 50, 0}};
    for (const Case& k : cases) {
        const double h = k.unitMode == 1 ? k.window : k.refTime * k.window / 100;
        const double edges[] = {k.refTime - h, k.refTime + h};
        for (double edge : edges) {
            for (double t : {edge, std::nextafter(edge, -INFINITY), std::nextafter(edge, INFINITY)}) {
                // Far peaks of the name on both sides make the search bisect, not just look.
                const PeakList table{namedPeak(u"A", k.refTime - 4 * h), namedPeak(u"x", t), namedPeak(u"A", t),
                                     namedPeak(u"A", k.refTime + 4 * h)};
                const bool inside = std::fabs(t - k.refTime) <= h;
                MessageLog log;
                EXPECT_EQ(windowSearch(table, c, k.refTime, k.window, k.unitMode, 1, u"f", log), inside ? 2 : -1)
                    << "ref " << k.refTime << " half-width " << h << " peak at " << t;
                EXPECT_EQ(log.warnings().size(), inside ? 0u : 1u);
            }
        }
    }
}

TEST(WindowSearchBisection, EqualRetentionTimesTakeTheEarliestInTheTable)
{
    const Component c = component(u"A", 10);
    MessageLog log;
    // Three at one time inside the window, others of the name around it.
    EXPECT_EQ(windowSearch({namedPeak(u"A", 9.0), namedPeak(u"A", 10.05), namedPeak(u"A", 10.05),
                            namedPeak(u"A", 10.05), namedPeak(u"A", 10.3)},
                           c, 10.0, 5, 0, 1, u"f", log),
              1);
    // Equal times with a peak of another name between them.
    EXPECT_EQ(windowSearch({namedPeak(u"A", 10.05), namedPeak(u"B", 10.05), namedPeak(u"A", 10.05)}, c, 10.0, 5, 0, 1,
                           u"f", log),
              0);
    // Equal distance on both sides: the earlier.
    EXPECT_EQ(windowSearch({namedPeak(u"A", 9.75), namedPeak(u"A", 9.75), namedPeak(u"A", 10.25)}, c, 10.0, 5, 0, 1,
                           u"f", log),
              0);
    // Every peak at the reference time itself.
    EXPECT_EQ(windowSearch({namedPeak(u"A", 10), namedPeak(u"A", 10), namedPeak(u"A", 10)}, c, 10.0, 5, 0, 1, u"f", log),
              0);
    EXPECT_TRUE(log.warnings().empty());

    EXPECT_EQ(nearestPeak({namedPeak(u"A", 9.5), namedPeak(u"A", 9.5), namedPeak(u"A", 10.5)}, c, 10.0), 0);
    EXPECT_EQ(nearestPeak({namedPeak(u"A", 9.0), namedPeak(u"A", 9.6), namedPeak(u"A", 9.6), namedPeak(u"A", 10.4)}, c,
                          10.0),
              1);
    EXPECT_EQ(nearestPeak({namedPeak(u"A", 11), namedPeak(u"A", 11), namedPeak(u"A", 12)}, c, 10.0), 0);
}

TEST(WindowSearchBisection, AgreesWithThePlainRuleOnManyTables)
{
    std::mt19937 random(7);
    const Component c = component(u"A", 10);
    for (int round = 0; round < 3000; ++round) {
        // Times on a coarse grid, so that equal times and equal distances are common.
        const int size = static_cast<int>(random() % 12);
        PeakList table;
        for (int i = 0; i < size; ++i)
            table.push_back(namedPeak(random() % 3 == 0 ? u"B" : u" a ", 9.0 + 0.25 * (random() % 9)));
        const bool ordered = round % 4 != 0;
        if (ordered)
            std::stable_sort(table.begin(), table.end(), [](const Peak& a, const Peak& b) { return a.time < b.time; });
        const double refTime = 9.0 + 0.125 * (random() % 17);
        const double window = 0.5 * (random() % 8);    // percent: 0 to 3.5 % of about 10 minutes
        const double minutes = 0.125 * (random() % 6); // 0 to 0.625 minutes, edges on the grid
        MessageLog log;
        EXPECT_EQ(windowSearch(table, c, refTime, window, 0, 1, u"f", log), windowRule(table, c, refTime, refTime * window / 100));
        EXPECT_EQ(windowSearch(table, c, refTime, minutes, 1, 1, u"f", log), windowRule(table, c, refTime, minutes));
        EXPECT_EQ(nearestPeak(table, c, refTime), nearestRule(table, c, refTime));
    }
}

TEST(WindowSearchBisection, NonFiniteTimesFallBackToThePlainRule)
{
    const Component c = component(u"A", 10);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const PeakList table{namedPeak(u"A", 10.4), namedPeak(u"A", nan), namedPeak(u"A", 10.1), namedPeak(u"A", INFINITY)};
    MessageLog log;
    EXPECT_EQ(windowSearch(table, c, 10.0, 5, 0, 1, u"f", log), 2);
    EXPECT_EQ(nearestPeak(table, c, 10.0), 2);
    EXPECT_EQ(nearestPeak({namedPeak(u"A", 10.4), namedPeak(u"A", 10.1)}, c, nan), 0);
    EXPECT_EQ(windowSearch({namedPeak(u"A", 9.9), namedPeak(u"A", 10.1)}, c, nan, 0.5, 1, 1, u"f", log), -1);
}
