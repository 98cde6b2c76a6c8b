#include <gtest/gtest.h>

#include <random>

#include "TestWorkspace.h"
#include "engine/ComponentNameIndex.h"
#include "engine/MatchedPeaks.h"
#include "engine/PeakNames.h"
#include "engine/NameKey.h"
#include "engine/PeakMatching.h"
#include "platform/Text.h"

TEST(PeakMatching, TrimsThePeakNameAndIgnoresCaseInLatinAndCyrillic)
{
    Component c = component(u"Бензол Ёж", 5);
    EXPECT_TRUE(peakMatches(namedPeak(u"  бЕНЗОЛ ёЖ\t", 1), c));
    EXPECT_FALSE(peakMatches(namedPeak(u"Бензол", 1), c));
    EXPECT_FALSE(peakMatches(namedPeak(u"   ", 1), component(u"", 5, 5, 0, 5, 1, u"-")));
    EXPECT_TRUE(peakMatches(namedPeak(u"toluene", 1), component(u"TOLUENE", 5)));
}

TEST(PeakMatching, ComponentNameIsNotTrimmedButTheAlternativeNameIs)
{
    Component c = component(u"Бензол ", 5, 5, 0, 5, 1, u"  Benzene ");
    EXPECT_FALSE(peakMatches(namedPeak(u"Бензол", 1), c));
    EXPECT_TRUE(peakMatches(namedPeak(u"benzene", 1), c));
    Component dash = component(u"X", 5, 5, 0, 5, 1, u" - ");
    EXPECT_FALSE(peakMatches(namedPeak(u"-", 1), dash));
    EXPECT_TRUE(peakMatches(namedPeak(u"x", 1), dash));
    Component blankAlt = component(u"", 5, 5, 0, 5, 1, u"  ");
    EXPECT_FALSE(peakMatches(namedPeak(u"x", 1), blankAlt));
}

TEST(PeakMatching, FirstTwoChannelsInAscendingNumber)
{
    AssayRecord a;
    EXPECT_EQ(firstTwoChannels(a).channel1, nullptr);
    EXPECT_EQ(firstTwoChannels(a).channel2, nullptr);
    a.channelPeaks[7] = {namedPeak(u"seven", 1)};
    a.channelPeaks[3] = {namedPeak(u"three", 1)};
    a.channelPeaks[9] = {namedPeak(u"nine", 1)};
    ChannelTables t = firstTwoChannels(a);
    ASSERT_NE(t.channel1, nullptr);
    ASSERT_NE(t.channel2, nullptr);
    EXPECT_EQ((*t.channel1)[0].name, u"three");
    EXPECT_EQ((*t.channel2)[0].name, u"seven");
}

TEST(PeakMatching, NearestPeakTakesTheEarlierOnEqualDistance)
{
    Component c = component(u"A", 5);
    PeakList table{namedPeak(u"B", 5.0), namedPeak(u"a", 5.2), namedPeak(u"A", 4.8), namedPeak(u"A", 9)};
    EXPECT_EQ(nearestPeak(table, c, 5.0), 1);
    EXPECT_EQ(nearestPeak(table, c, 8), 3);
    EXPECT_EQ(nearestPeak(table, component(u"C", 5), 5.0), -1);
    EXPECT_EQ(nearestPeak({}, c, 5.0), -1);
}

TEST(NameKey, FoldsAndTrimsLikeTheUnicodeRules)
{
    for (char32_t c = 0; c < 0x500; ++c) {
        std::u16string text(1, static_cast<char16_t>(c));
        std::u16string key;
        foldNameKey(text, key);
        EXPECT_EQ(key, platform::foldCase(text)) << "U+" << std::hex << static_cast<unsigned>(c);
    }
    for (char32_t c = 0; c < 0x3100; ++c) {
        std::u16string padded = u"x" + std::u16string(2, static_cast<char16_t>(c));
        EXPECT_EQ(trimName(padded), platform::trimWhite(padded)) << "U+" << std::hex << static_cast<unsigned>(c);
    }
    std::u16string key;
    foldNameKey(u"Straße ÀБВ", key);
    EXPECT_EQ(key, platform::foldCase(u"Straße ÀБВ"));
}

// The pass finds each table's name matches once; they must be exactly the peaks peakMatches accepts.
TEST(MatchedPeaks, AgreeWithPeakMatchesOnRandomNames)
{
    const std::u16string pieces[] = {u"бензол", u"БЕНЗОЛ", u"Ёж", u"ёж", u"toluene", u"Toluene", u" ",
                                     u"-", u"ß", u"SS", u"Ǆ", u"ǆ", u"\u00A0", u"x"};
    std::mt19937 random(7);
    auto randomName = [&] {
        std::u16string name;
        int parts = static_cast<int>(random() % 3);
        for (int i = 0; i < parts; ++i)
            name += pieces[random() % std::size(pieces)];
        return name;
    };
    for (int round = 0; round < 30; ++round) {
        ComponentList components;
        for (int i = 0; i < 12; ++i)
            components.push_back(component(randomName(), 1, 5, 0, 5, 1, randomName()));
        ComponentNameIndex names(components);
        // One memo of names serves several tables, as in a pass: the later tables are answered
        // mostly from names remembered while matching the earlier ones.
        std::vector<PeakList> tables(3);
        PeakNames peakNames(names);
        for (int tableRound = 0; tableRound < 3; ++tableRound) {
            PeakList& table = tables[static_cast<std::size_t>(tableRound)];
            for (int i = 0; i < 60; ++i)
                table.push_back(namedPeak(randomName(), i));
            MatchedPeaks matched(table, peakNames, components.size());
            for (std::size_t c = 0; c < components.size(); ++c) {
                std::vector<int32_t> expected;
                std::vector<double> expectedTimes;
                for (std::size_t p = 0; p < table.size(); ++p) {
                    if (peakMatches(table[p], components[c])) {
                        expected.push_back(static_cast<int32_t>(p));
                        expectedTimes.push_back(table[p].time);
                    }
                }
                const PeakMatches got = matched.of(c);
                EXPECT_EQ(std::vector<int32_t>(got.indices.begin(), got.indices.end()), expected)
                    << "round " << round << " table " << tableRound << " component " << c;
                EXPECT_EQ(std::vector<double>(got.times.begin(), got.times.end()), expectedTimes);
                EXPECT_TRUE(got.timeOrdered);
            }
        }
    }
}

// Past the memo's limit names are looked up afresh; the answers must not change, neither for the
// names remembered before nor for those that come after.
TEST(PeakNames, AnswersStayRightPastTheMemoLimit)
{
    ComponentList components{component(u"Бензол", 1, 5, 0, 5, 1, u"benzene"), component(u"Толуол", 2, 5, 0, 5, 1, u"-")};
    ComponentNameIndex names(components);
    PeakNames peakNames(names);
    std::vector<std::u16string> noise;
    noise.reserve(PeakNames::rememberLimit + 10);
    for (std::size_t i = 0; i < PeakNames::rememberLimit + 10; ++i)
        noise.push_back(u"peak " + platform::utf8ToUtf16(std::to_string(i)));
    const std::u16string early = u"  БЕНЗОЛ ";
    ASSERT_EQ(peakNames.componentsOf(early).size(), 1u);
    for (const std::u16string& name : noise)
        EXPECT_TRUE(peakNames.componentsOf(name).empty());
    EXPECT_EQ(peakNames.remembered(), PeakNames::rememberLimit);
    const std::u16string late = u"толуол";
    const std::u16string alternative = u"Benzene";
    struct Case {
        const std::u16string* name;
        int32_t component;  // -1: none
    } cases[] = {{&early, 0}, {&late, 1}, {&alternative, 0}, {&noise.back(), -1}, {&noise.front(), -1}};
    for (int pass = 0; pass < 2; ++pass) {
        for (const Case& c : cases) {
            const std::span<const int32_t> got = peakNames.componentsOf(*c.name);
            if (c.component < 0) {
                EXPECT_TRUE(got.empty()) << platform::utf16ToUtf8(*c.name);
            } else {
                ASSERT_EQ(got.size(), 1u) << platform::utf16ToUtf8(*c.name);
                EXPECT_EQ(got[0], c.component);
            }
        }
    }
}
