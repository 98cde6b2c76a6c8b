#pragma once
// What vantrel-import tells the analyst: a line per injection, and the JSON account of the run.
#include "ImportOptions.h"

#include <ostream>
#include <string>
#include <vector>

// Imported injections on `out`; refusals ("INPUT: reason") and warnings ("INPUT: warning: ...") on
// `errors`, one line each.
void printImportOutcomes(const std::vector<ImportOutcome>& outcomes, std::ostream& out, std::ostream& errors);

// A JSON array with one object per injection.
std::string importOutcomesJson(const std::vector<ImportOutcome>& outcomes);
