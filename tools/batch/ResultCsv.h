#pragma once
// The quantitation as a table for a laboratory information system: UTF-8 comma-separated text
// (RFC 4180, CRLF line ends), one row per component with its two parallel determinations and
// their acceptance. Numbers carry a point whatever the process locale; a value that does not
// exist is an empty field.
#include <string>
#include <vector>

#include "ParallelRuns.h"
#include "engine/CalculationResult.h"

// `runs` has one entry per row of `quantitation`.
std::string resultCsv(const std::vector<QuantitationRow>& quantitation, const std::vector<ParallelRuns>& runs);

// The shortest text that reads back as the same double, with a point; empty for a value that is
// not finite.
std::string roundTripNumber(double value);
