#include "engine/TableFacts.h"

#include <cmath>

#include "engine/NameKey.h"
#include "engine/PeakMatching.h"
#include "engine/PeakNames.h"
#include "engine/ResolutionTable.h"

PeakTableFacts learnTableFacts(const PeakList& table)
{
    PeakTableFacts facts;
    facts.learntFrom = table.data();
    facts.peakCount = table.size();
    ResolutionShape shape;
    double previousTime = -INFINITY;
    for (std::size_t p = 0; p < table.size(); ++p) {
        const Peak& peak = table[p];
        shape.add(peak);
        if (!(peak.time >= previousTime))
            facts.timeOrdered = false;
        previousTime = peak.time;
        // A blank name never names a component, whatever the component table holds.
        if (trimName(peak.name).empty())
            continue;
        NamedPeakFact named;
        named.index = static_cast<int32_t>(p);
        named.nameHash = PeakNames::hashOf(peak.name);
        named.time = peak.time;
        named.area = peak.area;
        named.concent = peak.concent;
        facts.named.push_back(named);
    }
    facts.named.shrink_to_fit();  // kept as long as the assay is loaded
    const ResolutionTable resolutions(table, shape);
    for (NamedPeakFact& named : facts.named)
        named.minResolution = resolutions.minResolution(named.index);
    return facts;
}

SharedConst<CalculationFacts> learnCalculationFacts(const AssayRecord& record)
{
    CalculationFacts facts;
    const ChannelTables tables = firstTwoChannels(record);
    for (const PeakList* table : {tables.channel1, tables.channel2})
        if (table)
            facts.channels.push_back(learnTableFacts(*table));
    return SharedConst<CalculationFacts>::make(std::move(facts));
}

const PeakTableFacts& factsOf(const AssayRecord& record, const PeakList& table, SharedConst<PeakTableFacts>& learnt)
{
    if (const CalculationFacts* facts = record.calculationFacts.get()) {
        for (const PeakTableFacts& channel : facts->channels)
            if (channel.describes(table))
                return channel;
    }
    learnt = SharedConst<PeakTableFacts>::make(learnTableFacts(table));
    return *learnt;
}
