#pragma once
// One detector channel of a chromatogram file: its number, its raw signal and its peak table.
// Several channels may carry the same number; all are kept in file order.
#include "input/Peak.h"
#include "input/SignalBuffer.h"

#include <cstdint>
#include <vector>

struct Channel {
    int32_t number = 0;
    SignalBuffer signal;
    std::vector<Peak> peaks;
};
