#pragma once
// Learning the facts of peak tables that the calculation needs (see input/CalculationFacts.h).
// The loader's facts and the ones a pass learns for a record without them come from here alike.
#include "input/AssayRecord.h"
#include "input/CalculationFacts.h"

PeakTableFacts learnTableFacts(const PeakList& table);

// The facts of the record's first two channel tables.
SharedConst<CalculationFacts> learnCalculationFacts(const AssayRecord& record);

// The record's own facts of `table` (one of its channel tables) when they
// still describe it; otherwise the facts are learnt into `learnt`, which is returned. Either stays
// where it is as long as the record's facts or `learnt` are held.
const PeakTableFacts& factsOf(const AssayRecord& record, const PeakList& table, SharedConst<PeakTableFacts>& learnt);
