#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>

#include "TestWorkspace.h"
#include "engine/Calculation.h"
#include "engine/Identification.h"
#include "engine/MessageLog.h"
#include "engine/ResolutionTable.h"
#include "engine/TableFacts.h"

namespace {

std::u16string outOfWindow(std::u16string file, std::u16string name, int channel)
{
    return file + u": \"" + name + u"\", канал " + std::u16string(1, char16_t(u'0' + channel)) +
           u" - время выхода вне окна.";
}

std::u16string mainChannelWarning(std::u16string name)
{
    return u"\"" + name + u"\": основной канал не определён автоматически, выберите канал в таблице компонентов.";
}

// A peak of the given width centred on its time.
Peak widePeak(std::u16string name, double time, double width)
{
    return namedPeak(std::move(name), time, 100, 0, time - width / 2, time + width / 2);
}

} // namespace

TEST(MinResolution, SmallestResolutionAgainstEveryOtherPeakOfPositiveWidth)
{
    PeakList table{widePeak(u"A", 5.0, 0.2), widePeak(u"x", 5.5, 0.2), widePeak(u"y", 4.0, 0.6),
                   namedPeak(u"z", 5.01)};  // no width: ignored
    EXPECT_NEAR(minResolution(table, 0), 2.5, 1e-12);
    EXPECT_EQ(minResolution(table, 3), -1);
    EXPECT_EQ(minResolution({widePeak(u"A", 5.0, 0.2)}, 0), -1);
    EXPECT_EQ(minResolution(table, 7), -1);
}

TEST(WindowSearch, PercentWindowIsClosedAtItsEdges)
{
    Component c = component(u"A", 10);
    MessageLog log;
    // 2 % of 10.0: the window 9.8 to 10.2.
    EXPECT_EQ(windowSearch({namedPeak(u"A", 10.2)}, c, 10.0, 2, 0, 1, u"f.dat", log), 0);
    EXPECT_TRUE(log.warnings().empty());
    EXPECT_EQ(windowSearch({namedPeak(u"A", 10.21)}, c, 10.0, 2, 0, 1, u"f.dat", log), -1);
    EXPECT_EQ(log.warnings(), std::vector<std::u16string>{outOfWindow(u"f.dat", u"A", 1)});
    // Any unit mode other than 1 means percent.
    EXPECT_EQ(windowSearch({namedPeak(u"A", 10.19)}, c, 10.0, 2, -1, 2, u"f.dat", log), 0);
}

TEST(WindowSearch, MinuteWindowIsTheSameWhateverTheReferenceTime)
{
    Component c = component(u"A", 10);
    MessageLog log;
    PeakList around10{namedPeak(u"A", 10.16), namedPeak(u"A", 10.14), namedPeak(u"A", 9.86)};
    EXPECT_EQ(windowSearch(around10, c, 10.0, 0.15, 1, 1, u"f", log), 1);
    EXPECT_EQ(windowSearch({namedPeak(u"A", 1.85)}, c, 2.0, 0.15, 1, 1, u"f", log), 0);
    EXPECT_EQ(windowSearch({namedPeak(u"A", 2.16)}, c, 2.0, 0.15, 1, 1, u"f", log), -1);
    EXPECT_EQ(log.warnings().size(), 1u);
}

TEST(WindowSearch, ClosestInsideWinsAndTiesKeepTheEarlier)
{
    Component c = component(u"A", 10);
    MessageLog log;
    EXPECT_EQ(windowSearch({namedPeak(u"A", 10.1), namedPeak(u"A", 9.9), namedPeak(u"A", 10.05)}, c, 10.0, 5, 0, 1,
                           u"f", log), 2);
    EXPECT_EQ(windowSearch({namedPeak(u"A", 10.1), namedPeak(u"A", 9.9)}, c, 10.0, 5, 0, 1, u"f", log), 0);
    EXPECT_EQ(windowSearch({namedPeak(u"A", 30), namedPeak(u"B", 10), namedPeak(u"A", 10.3)}, c, 10.0, 5, 0, 1,
                           u"f", log), 2);
    EXPECT_TRUE(log.warnings().empty());
}

TEST(WindowSearch, EmptyOrNegativeWindowAcceptsNothingAndWarns)
{
    Component c = component(u"A", 10);
    MessageLog log;
    EXPECT_EQ(windowSearch({namedPeak(u"A", 10)}, c, 10.0, 0, 0, 1, u"f", log), -1);
    EXPECT_EQ(windowSearch({namedPeak(u"A", 10)}, c, 10.0, -3, 1, 2, u"f", log), -1);
    EXPECT_EQ(log.warnings().size(), 2u);
    // No reference time: no search and no warning; no name match: no warning.
    EXPECT_EQ(windowSearch({namedPeak(u"A", 10)}, c, 0, 5, 0, 1, u"f", log), -1);
    EXPECT_EQ(windowSearch({namedPeak(u"B", 10)}, c, 10, 5, 0, 1, u"f", log), -1);
    EXPECT_EQ(log.warnings().size(), 2u);
}

TEST(MainChannel, FixedInTheTableNeedsNoMeasurement)
{
    AssayMap assays;
    assays[1] = analysisAssay(u"a.dat", {});
    ComponentList components{component(u"A", 5, 5, 5, 5, 2), component(u"B", 5, 5, 5, 5, 1)};
    MessageLog log;
    CalculationResult result = runCalculation(assays, components, PluginSettings(), log);
    EXPECT_EQ(result.calibration[0].mainChannel, 2);
    EXPECT_EQ(result.calibration[1].mainChannel, 1);
    for (const auto& w : log.warnings())
        EXPECT_EQ(w.find(u"основной канал"), std::u16string::npos);
}

TEST(MainChannel, ChosenByTheBetterMeanResolution)
{
    // Channel 1: neighbour 0.5 min away (R = 2.5); channel 2: 1 min away (R = 5).
    AssayMap assays;
    for (int id = 1; id <= 2; ++id)
        assays[id] = calibrationAssay(u"c.dat", {widePeak(u"A", 5.0, 0.2), widePeak(u"n", 5.5, 0.2)},
                                      {widePeak(u"A", 5.0, 0.2), widePeak(u"n", 6.0, 0.2)});
    ComponentList better2{component(u"A", 5, 5, 5, 5, 0)};
    MessageLog log;
    EXPECT_EQ(runCalculation(assays, better2, PluginSettings(), log).calibration[0].mainChannel, 2);

    // Equal means choose channel 1.
    for (auto& [id, a] : assays)
        a.channelPeaks[2] = a.channelPeaks[1];
    EXPECT_EQ(runCalculation(assays, better2, PluginSettings(), log).calibration[0].mainChannel, 1);

    // The peak alone on channel 2 cannot be measured there: channel 1, and no warning.
    for (auto& [id, a] : assays)
        a.channelPeaks[2] = {widePeak(u"A", 5.0, 0.2)};
    CalculationResult result = runCalculation(assays, better2, PluginSettings(), log);
    EXPECT_EQ(result.calibration[0].mainChannel, 1);
    for (const auto& w : log.warnings())
        EXPECT_EQ(w.find(u"основной канал"), std::u16string::npos);
}

TEST(MainChannel, NotMeasurableWarnsOnlyWhenTheWorkspaceHoldsAssays)
{
    ComponentList components{component(u"A", 5, 5, 5, 5, 0), component(u"B", 5, 5, 5, 5, 3),
                             component(u"C", 5, 5, 5, 5, 1)};
    MessageLog empty;
    CalculationResult none = runCalculation(AssayMap(), components, PluginSettings(), empty);
    EXPECT_EQ(none.calibration[0].mainChannel, 1);
    EXPECT_EQ(empty.warnings().size(), 1u);  // only the missing calibration chromatograms

    AssayMap assays;
    assays[9] = analysisAssay(u"a.dat", {namedPeak(u"A", 5)});
    MessageLog log;
    CalculationResult result = runCalculation(assays, components, PluginSettings(), log);
    EXPECT_EQ(result.calibration[1].mainChannel, 1);
    std::vector<std::u16string> expected{u"Нет градуировочных хроматограмм для расчета эталонного времени.",
                                         mainChannelWarning(u"A"), mainChannelWarning(u"B")};
    EXPECT_EQ(log.warnings(), expected);
}

TEST(Identification, BothChannelsNeededWhenChannelTwoHasAReferenceTime)
{
    AssayMap assays;
    assays[1] = calibrationAssay(u"/data/c1.dat", {namedPeak(u"A", 5.0, 100, 1), namedPeak(u"B", 3.0, 50, 2)},
                                 {namedPeak(u"A", 6.0, 120, 1.5)});
    assays[2] = calibrationAssay(u"/data/c2.dat", {namedPeak(u"A", 5.0, 100, 1)}, {}, false);
    ComponentList components{component(u"A", 5, 5, 6, 5, 2), component(u"B", 3, 5, 0, 5, 1),
                             component(u"Z", 3, 5, 0, 5, 2)};
    MessageLog log;
    CalculationResult result = runCalculation(assays, components, PluginSettings(), log);

    const IdentificationList& first = result.identificationOf(1);
    ASSERT_EQ(first.size(), 3u);
    EXPECT_TRUE(first[0].found1 && first[0].found2 && first[0].identified);
    EXPECT_DOUBLE_EQ(first[0].peakTime2, 6.0);
    EXPECT_DOUBLE_EQ(first[0].area, 120);           // main channel 2
    EXPECT_DOUBLE_EQ(first[0].concentration, 1.5);
    EXPECT_TRUE(first[1].identified);               // no channel-2 time: channel 1 alone
    EXPECT_DOUBLE_EQ(first[1].area, 50);
    EXPECT_FALSE(first[2].identified);              // main channel 2 without a channel-2 time
    EXPECT_EQ(first[2].mainChannel, 2);

    const IdentificationList& second = result.identificationOf(2);
    EXPECT_TRUE(second[0].found1);
    EXPECT_FALSE(second[0].found2);                 // no channel-2 table
    EXPECT_FALSE(second[0].identified);
    EXPECT_EQ(second[0].area, 0);
    EXPECT_EQ(second[0].peakTime2, 0);
    // Only the calibration stage has something to say (one point each); no window warnings.
    EXPECT_EQ(log.warnings(), (std::vector<std::u16string>{u"\"A\": для градуировки нужно не менее 2 разных концентраций.",
                                                            u"\"B\": для градуировки нужно не менее 2 разных концентраций."}));
}

TEST(Identification, DeviationBetweenChannelsOnlyWarns)
{
    AssayMap assays;
    assays[1] = calibrationAssay(u"C:\\data\\c1.dat", {namedPeak(u"A", 5.0, 100, 1)}, {namedPeak(u"A", 6.0, 120, 1)});
    assays[2] = calibrationAssay(u"c2.dat", {namedPeak(u"A", 5.0, 150, 2)}, {namedPeak(u"A", 6.0, 150, 2)});
    Component a = component(u"A", 5, 5, 6, 5, 1);
    PluginSettings settings;
    settings.devControl = true;

    a.deviation = 20;
    MessageLog quiet;
    runCalculation(assays, {a}, settings, quiet);
    EXPECT_TRUE(quiet.warnings().empty());

    a.deviation = 15;
    MessageLog log;
    CalculationResult result = runCalculation(assays, {a}, settings, log);
    EXPECT_EQ(log.warnings(), std::vector<std::u16string>{
                                  u"c1.dat: \"A\" - отклик каналов различается на 18.2% (норма 15.0%)."});
    EXPECT_TRUE(result.identificationOf(1)[0].identified);

    settings.devControl = false;
    MessageLog off;
    runCalculation(assays, {a}, settings, off);
    EXPECT_TRUE(off.warnings().empty());
}

TEST(Identification, WarningsFollowChromatogramThenComponentThenChannelOrder)
{
    // B is seen at 3.0 and 5.0 on channel 1 and at 2.0 and 6.0 on channel 2: reference times 4.0,
    // and a 1 % window holds none of its peaks. Its peaks have no width, so no resolution either.
    AssayMap assays;
    assays[1] = calibrationAssay(u"/x/one.dat", {namedPeak(u"A", 5.0, 100, 1), namedPeak(u"B", 3.0, 100, 1)},
                                 {namedPeak(u"A", 6.0, 200, 1), namedPeak(u"B", 2.0)});
    assays[2] = calibrationAssay(u"/x/two.dat", {namedPeak(u"A", 5.0, 100, 1), namedPeak(u"B", 5.0, 100, 1)},
                                 {namedPeak(u"A", 6.0, 200, 1), namedPeak(u"B", 6.0)});
    assays[3] = analysisAssay(u"/x/a.dat", {});
    Component a = component(u"A", 5, 5, 6, 5, 1);
    a.deviation = 10;
    Component b = component(u"B", 4, 1, 4, 1, 0);
    PluginSettings settings;
    settings.devControl = true;
    MessageLog log;
    CalculationResult result = runCalculation(assays, {a, b}, settings, log);

    std::vector<std::u16string> expected{mainChannelWarning(u"B")};
    // The workspace's own order decides the chromatogram order.
    for (const auto& [id, record] : assays) {
        if (!record.isCalibration)
            continue;
        std::u16string file = id == 1 ? u"one.dat" : u"two.dat";
        expected.push_back(file + u": \"A\" - отклик каналов различается на 66.7% (норма 10.0%).");
        expected.push_back(outOfWindow(file, u"B", 1));
        expected.push_back(outOfWindow(file, u"B", 2));
    }
    expected.push_back(u"\"A\": для градуировки нужно не менее 2 разных концентраций.");
    EXPECT_EQ(log.warnings(), expected);
    EXPECT_DOUBLE_EQ(result.identificationOf(1)[1].refTime1, 4.0);
    EXPECT_DOUBLE_EQ(result.identificationOf(2)[1].refTime2, 4.0);
}

// The pass measures resolution with a search that stops early in ordered tables; it must give
// minResolution's answer for every peak, ordered or not.
TEST(ResolutionTable, AgreesWithMinResolution)
{
    std::mt19937 random(11);
    for (int round = 0; round < 200; ++round) {
        PeakList table;
        double time = 0;
        const int count = 1 + static_cast<int>(random() % 40);
        for (int i = 0; i < count; ++i) {
            time += (random() % 100) * 0.01;
            double width = (static_cast<int>(random() % 50) - 5) * 0.01;  // some zero or negative
            table.push_back(namedPeak(u"p", time, 1, 0, time - width / 3, time + width * 2 / 3));
        }
        if (round % 4 == 1)
            std::shuffle(table.begin(), table.end(), random);
        if (round % 4 == 2)
            table[random() % table.size()].back = std::numeric_limits<double>::quiet_NaN();
        ResolutionTable resolutions(table);
        for (int i = -1; i <= count; ++i) {
            double expected = minResolution(table, i);
            double got = resolutions.minResolution(i);
            if (std::isnan(expected))
                EXPECT_TRUE(std::isnan(got));
            else
                EXPECT_EQ(got, expected) << "round " << round << " peak " << i;
        }
        // The pass reads the resolution of every named peak from the facts learnt at loading.
        const PeakTableFacts facts = learnTableFacts(table);
        ASSERT_EQ(facts.named.size(), table.size());
        for (const NamedPeakFact& named : facts.named) {
            double expected = minResolution(table, named.index);
            if (std::isnan(expected))
                EXPECT_TRUE(std::isnan(named.minResolution));
            else
                EXPECT_EQ(named.minResolution, expected) << "round " << round << " peak " << named.index;
        }
    }
}
