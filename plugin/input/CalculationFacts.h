#pragma once
// What the calculation needs to know of a loaded assay's peak tables that follows from the tables
// alone, never from the component table or the settings: learnt once when the assay is loaded, so
// that a calculation pass reads a few hundred packed entries per table instead of every peak.
// The facts name the storage they were learnt from; a pass uses them only while they still sit
// beside that very table, and learns them afresh for a table they do not describe.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "input/Peak.h"

// A peak whose name is not blank, with what the calculation reads of it. Kept small: a workspace
// holds a hundred thousand of them.
struct NamedPeakFact {
    int32_t index = 0;           // into the table
    uint32_t nameHash = 0;       // of the name as it stands, untrimmed
    double time = 0;
    double area = 0;
    double concent = 0;
    double minResolution = -1;   // against every other peak of the table; -1 when not measurable
};

struct PeakTableFacts {
    const Peak* learntFrom = nullptr;   // the table's first peak when the facts were learnt
    std::size_t peakCount = 0;
    bool timeOrdered = true;            // every time is a number and none falls
    std::vector<NamedPeakFact> named;   // in table order

    bool describes(const std::vector<Peak>& table) const
    {
        return learntFrom == table.data() && peakCount == table.size();
    }
};

// The facts of an assay's first two channel tables (the ones the calculation reads), in ascending
// channel number. The few database peaks are left to the pass.
struct CalculationFacts {
    std::vector<PeakTableFacts> channels;
};
