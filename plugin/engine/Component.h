#pragma once
// One row of the analyst's component table.
#include <cstdint>
#include <string>
#include <vector>

struct Component {
    int32_t number = -1;        // running number given by the components dialog; never calculated with
    std::u16string name;        // peaks are matched to the component by this name
    std::u16string altName;     // alternative name; "-" means there is none
    double time1 = 0;           // expected retention time on channel 1, minutes; <= 0: not expected there
    double window1 = 0;         // half-width of the channel-1 search window (percent or minutes)
    double time2 = 0;           // the same for channel 2
    double window2 = 0;
    int32_t mainChannel = 1;    // 1 or 2 fixes the main channel; anything else lets the pass choose
    double deviation = 0;       // allowed deviation between the channels' areas, percent; <= 0: unchecked
};

// The rows in file order; every result list of a calculation pass follows this order.
using ComponentList = std::vector<Component>;
