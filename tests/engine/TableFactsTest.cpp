// A pass reads each table's facts as learnt when its assay was loaded, or learns them itself when the
// record has none or its facts belong to other storage. Whichever way, the answers must be those of
// the plain rules (peakMatches, minResolution) and the same, bit for bit, with messages in order.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "TestWorkspace.h"
#include "engine/Calculation.h"
#include "engine/Identification.h"
#include "engine/MessageLog.h"
#include "engine/PeakNames.h"
#include "engine/PeakSearch.h"
#include "engine/TableFacts.h"
#include "platform/Text.h"

namespace {

constexpr double nan = std::numeric_limits<double>::quiet_NaN();
constexpr double inf = std::numeric_limits<double>::infinity();

Peak peak(std::u16string name, double time, double width, double area = 100, double concent = 1)
{
    return namedPeak(std::move(name), time, area, concent, time - width / 2, time + width / 2);
}

struct AwkwardTable {
    const char* what;
    PeakList channel1;
    PeakList channel2;
    bool hasChannel2 = true;
};

std::vector<AwkwardTable> awkwardTables()
{
    return {
        {"ordered, unnamed peaks between",
         {peak(u"", 1.0, 0.1), peak(u"A", 2.0, 0.2), peak(u"", 2.1, 0.05), peak(u"B", 3.0, 0.2)},
         {peak(u"A", 2.0, 0.2, 120), peak(u"", 2.5, 0.3), peak(u"B", 3.1, 0.1, 90)}},
        {"unsorted",
         {peak(u"B", 3.0, 0.2), peak(u"", 2.6, 0.4), peak(u"A", 2.0, 0.2), peak(u"A", 2.05, 0.1)},
         {peak(u"", 5.0, 0.1), peak(u"B", 3.0, 0.3), peak(u"A", 1.9, 0.2)}},
        {"NaN times",
         {peak(u"A", nan, 0.2), peak(u"A", 2.02, 0.2), peak(u"", nan, 0.1), peak(u"B", 3.0, 0.2)},
         {peak(u"B", 3.0, 0.2), namedPeak(u"A", 2.0, 100, 1, nan, 2.1)}},
        {"equal times, ties on both sides",
         {peak(u"A", 1.98, 0.2), peak(u"A", 2.02, 0.2), peak(u"A", 2.02, 0.1), peak(u"B", 3.0, 0.2),
          peak(u"B", 3.0, 0.2)},
         {peak(u"A", 2.0, 0.2), peak(u"A", 2.0, 0.2, 150), peak(u"B", 2.0, 0.2)}},
        {"zero and negative widths",
         {peak(u"A", 2.0, 0), peak(u"", 2.1, -0.2), peak(u"B", 3.0, 0.2), peak(u"", 3.05, 0)},
         {peak(u"A", 2.0, 0.2), peak(u"B", 3.0, 0)}},
        {"infinite edges",
         {namedPeak(u"A", 2.0, 100, 1, -inf, 2.1), peak(u"B", 3.0, 0.2), namedPeak(u"", 3.5, 100, 1, 3.4, inf)},
         {peak(u"A", 2.0, 0.2), peak(u"B", inf, 0.2)}},
        {"blank and padded names",
         {peak(u"  a ", 2.0, 0.2), peak(u" ", 2.01, 0.2), peak(u"\u00A0", 2.02, 0.1), peak(u"\tB\u3000", 3.0, 0.2),
          peak(u"бета", 3.01, 0.2)},
         {peak(u"Alpha", 2.0, 0.2), peak(u" БЕТА ", 3.0, 0.1), peak(u"A ", 2.1, 0.2)}},
        {"one channel only", {peak(u"A", 2.0, 0.2), peak(u"B", 3.0, 0.2)}, {}, false},
        {"empty tables", {}, {}},
    };
}

ComponentList components()
{
    ComponentList list;
    list.push_back(component(u"A", 2.0, 5, 2.0, 5, 0, u"Alpha"));
    list.push_back(component(u"B", 3.0, 0.05, 3.0, 5, 0, u"бета"));
    list.push_back(component(u"C", 0, 5, 4.0, 5, 2));
    for (Component& c : list)
        c.deviation = 5;
    return list;
}

// Every field of the result and every message, numbers by their bits.
std::string describe(const CalculationResult& result, const MessageLog& log)
{
    std::string text;
    auto number = [&](double value) { text += std::to_string(std::bit_cast<uint64_t>(value)) + ' '; };
    auto name = [&](std::u16string_view value) { text += platform::utf16ToUtf8(value) + '|'; };
    for (const auto& [id, rows] : result.identification) {
        text += "assay " + std::to_string(id) + ':';
        for (const IdentificationRow& row : rows) {
            name(row.name);
            text += std::to_string(row.mainChannel) + (row.found1 ? "f" : "-") + (row.found2 ? "f" : "-") +
                    (row.identified ? "i " : "- ");
            for (double value : {row.refTime1, row.peakTime1, row.refTime2, row.peakTime2, row.area, row.concentration})
                number(value);
        }
        text += '\n';
    }
    for (const CalibrationRow& row : result.calibration) {
        name(row.name);
        text += std::to_string(row.mainChannel) + ' ' + std::to_string(row.pointCount) + (row.fitted ? "f " : "- ");
        for (double value : {row.k0, row.k1, row.k1Origin})
            number(value);
        for (const CalibrationPoint& point : row.points) {
            number(point.concentration);
            number(point.meanArea);
            text += std::to_string(point.measurements) + ' ';
        }
        text += '\n';
    }
    for (const QuantitationRow& row : result.quantitation) {
        name(row.name);
        number(row.concentration);
        text += std::to_string(row.contributions) + (row.valid ? "v" : "-") + (row.detected ? "d\n" : "-\n");
    }
    for (const auto& line : log.flattened())
        name(line);
    return text;
}

// The workspace of one awkward table: three calibration runs (the table as it is, with its areas
// doubled at another level, and once more) and two analysis runs whose database peaks are the table.
AssayMap workspaceOf(const AwkwardTable& table)
{
    AssayMap assays;
    for (int run = 0; run < 3; ++run) {
        AssayRecord record = calibrationAssay(u"/data/run" + std::u16string(1, char16_t(u'1' + run)) + u".stg",
                                              table.channel1, table.channel2, table.hasChannel2);
        for (auto& [channel, peaks] : record.channelPeaks)
            for (Peak& p : peaks) {
                p.area *= 1 + run;
                p.concent *= run == 2 ? 1 : 1 + run;
            }
        assays.emplace(run + 1, std::move(record));
    }
    assays.emplace(10, analysisAssay(u"/data/sample1.stg", table.channel1));
    assays.emplace(11, analysisAssay(u"/data/sample2.stg", table.channel2));
    return assays;
}

std::string passOver(const AssayMap& assays)
{
    PluginSettings settings;
    settings.unitMode = 0;
    settings.devControl = true;
    MessageLog log;
    const CalculationResult result = runCalculation(assays, components(), settings, log);
    return describe(result, log);
}

bool sameBits(double a, double b) { return std::bit_cast<uint64_t>(a) == std::bit_cast<uint64_t>(b); }

} // namespace

// The facts of a table, whenever learnt, say what the plain rules say of it.
TEST(TableFacts, AwkwardTablesAgreeWithThePlainRules)
{
    for (const AwkwardTable& awkward : awkwardTables()) {
        for (const PeakList* table : {&awkward.channel1, &awkward.channel2}) {
            const PeakTableFacts facts = learnTableFacts(*table);
            std::vector<double> times;
            std::vector<int32_t> named;
            for (std::size_t i = 0; i < table->size(); ++i) {
                times.push_back((*table)[i].time);
                if (!platform::trimWhite((*table)[i].name).empty())
                    named.push_back(static_cast<int32_t>(i));
            }
            EXPECT_EQ(facts.timeOrdered, ascendingTimes(times)) << awkward.what;
            EXPECT_TRUE(facts.describes(*table)) << awkward.what;
            ASSERT_EQ(facts.named.size(), named.size()) << awkward.what;
            for (std::size_t k = 0; k < named.size(); ++k) {
                const NamedPeakFact& fact = facts.named[k];
                EXPECT_EQ(fact.index, named[k]) << awkward.what;
                const Peak& original = (*table)[static_cast<std::size_t>(fact.index)];
                EXPECT_EQ(fact.nameHash, PeakNames::hashOf(original.name)) << awkward.what;
                EXPECT_TRUE(sameBits(fact.time, original.time)) << awkward.what;
                EXPECT_TRUE(sameBits(fact.area, original.area)) << awkward.what;
                EXPECT_TRUE(sameBits(fact.concent, original.concent)) << awkward.what;
                EXPECT_TRUE(sameBits(fact.minResolution, minResolution(*table, fact.index)))
                    << awkward.what << " peak " << fact.index << ": " << fact.minResolution << " against "
                    << minResolution(*table, fact.index);
            }
        }
    }
}

// A pass over records with facts learnt at loading, without facts, with facts that other storage
// left behind (copies, a table exchanged), all give the same result and messages.
TEST(TableFacts, PassGivesTheSameAnswersWithFactsLearntAtLoadingOrOnTheFly)
{
    for (const AwkwardTable& awkward : awkwardTables()) {
        const AssayMap bare = workspaceOf(awkward);
        const std::string expected = passOver(bare);

        AssayMap loaded = workspaceOf(awkward);
        for (auto& [id, record] : loaded)
            record.calculationFacts = learnCalculationFacts(record);
        // Loaded facts are the ones read; the tables are where the facts saw them.
        for (const auto& [id, record] : loaded) {
            SharedConst<PeakTableFacts> scratch;
            for (const auto& [channel, table] : record.channelPeaks) {
                const PeakTableFacts& used = factsOf(record, table, scratch);
                EXPECT_NE(&used, scratch.get()) << awkward.what << " assay " << id << " channel " << channel;
            }
        }
        EXPECT_EQ(passOver(loaded), expected) << awkward.what;

        // Copies share the facts but not the storage they were learnt from.
        const AssayMap copied = loaded;
        for (const auto& [id, record] : copied) {
            SharedConst<PeakTableFacts> scratch;
            for (const auto& [channel, table] : record.channelPeaks) {
                if (!table.empty()) {
                    const PeakTableFacts& used = factsOf(record, table, scratch);
                    EXPECT_EQ(&used, scratch.get()) << awkward.what;
                }
            }
        }
        EXPECT_EQ(passOver(copied), expected) << awkward.what;

        // Each record carries another record's facts.
        AssayMap exchanged = workspaceOf(awkward);
        auto facts = learnCalculationFacts(loaded.at(2));
        for (auto& [id, record] : exchanged)
            record.calculationFacts = facts;
        EXPECT_EQ(passOver(exchanged), expected) << awkward.what;
    }
}

// A table that grows or is replaced after its facts were learnt is no longer described by them.
TEST(TableFacts, TablesChangedAfterLearningAreLearntAfresh)
{
    AssayRecord record = calibrationAssay(u"/data/run.stg", {peak(u"A", 2.0, 0.2)}, {peak(u"B", 3.0, 0.2)});
    record.calculationFacts = learnCalculationFacts(record);
    SharedConst<PeakTableFacts> scratch;
    PeakList& channel1 = record.channelPeaks[1];
    const PeakTableFacts& loaded = factsOf(record, channel1, scratch);
    EXPECT_NE(&loaded, scratch.get());
    EXPECT_EQ(&loaded, &record.calculationFacts->channels[0]);

    channel1.push_back(peak(u"B", 2.1, 0.2));
    const PeakTableFacts& grown = factsOf(record, channel1, scratch);
    EXPECT_EQ(&grown, scratch.get());
    ASSERT_EQ(grown.named.size(), 2u);
    EXPECT_EQ(grown.named[1].time, 2.1);

    record.channelPeaks[1] = PeakList{peak(u"C", 1.0, 0.2), peak(u"A", 2.5, 0.2)};
    const PeakTableFacts& replaced = factsOf(record, record.channelPeaks[1], scratch);
    ASSERT_EQ(replaced.named.size(), 2u);
    EXPECT_EQ(replaced.named[1].time, 2.5);
}
