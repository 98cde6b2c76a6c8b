#pragma once
// One run of dvinar-batch: load the assays, run the calculation, write what was asked for.
#include <ostream>

#include "BatchOptions.h"

enum BatchExitCode {
    BatchSucceeded = 0,
    BatchBadArguments = 1,
    BatchDatabaseError = 2,
    BatchReportFailure = 3,   // also an output file that could not be written
    BatchSomeIdsNotFound = 5, // an id not in the database or hidden; the others were computed
};

// `out` receives the JSON when it goes to standard output; `err` every failure text.
int runBatch(const BatchOptions& options, std::ostream& out, std::ostream& err);
