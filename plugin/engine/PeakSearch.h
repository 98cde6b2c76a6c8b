#pragma once
// The searches of the calculation over a given set of name matches. The public helpers
// (nearestPeak, windowSearch) and the pass, which finds the name matches once per table, share
// these, so both give the same answers.
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "engine/Component.h"
#include "input/AssayRecord.h"

class MessageLog;

// Indices of the peaks of the table that match the component, ascending.
std::vector<int32_t> matchingPeaks(const PeakList& table, const Component& component);

// Among `matches`, the peak whose time is closest to t; the earlier on equal distance; -1 for none.
int nearestAmong(const PeakList& table, std::span<const int32_t> matches, double t);

// Among `matches`, the peak closest to refTime within the window, or -1; warns when there were
// matches but none in the window.
int windowSearchAmong(const PeakList& table, std::span<const int32_t> matches, const Component& component,
                      double refTime, double window, int unitMode, int channel, std::u16string_view fileName,
                      MessageLog& log);
