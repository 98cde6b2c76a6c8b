#pragma once
// The method behind the built-in demo: volatile compounds of spirits on two columns, three
// calibration levels run twice each, and one sample run twice. Every number here is chosen so that
// the calculation has something to show on every tab, warnings included.
#include <string>
#include <vector>

struct DemoCompound {
    std::u16string name;
    std::u16string altName;       // "-" when none
    double time1 = 0;             // retention time on channel 1 (polar column), minutes
    double time2 = 0;             // on channel 2 (non-polar column)
    double window = 0;            // search half-width, percent of the reference time
    int mainChannel = 1;          // 0 lets the calculation choose
    double deviation = 0;         // allowed channel deviation, percent
    double response = 0;          // peak area per mg/dm³ on channel 1
    double response2Ratio = 1;    // channel-2 area / channel-1 area
    double levels[3] = {};        // calibration concentrations, mg/dm³
    double sample = 0;            // concentration in the sample; 0: absent
    bool inTable = true;          // false: a peak the host names but the analyst does not calculate
};

struct DemoRun {
    std::u16string fileName;      // file name inside the chromatogram folder
    std::u16string sample;
    std::u16string mixture;
    bool calibration = false;
    int level = -1;               // calibration level 0..2; -1 for the sample
    int repeat = 0;
};

class DemoMethod {
public:
    static const std::vector<DemoCompound>& compounds();
    static const std::vector<DemoRun>& runs();

    // The deliberate faults: one run where a peak drifts out of its window on channel 2, and one
    // where the two channels' areas of a compound disagree beyond its limit.
    static constexpr int driftRun = 3;
    static constexpr int driftCompound = 6;        // isobutanol
    static constexpr int deviationRun = 1;
    static constexpr int deviationCompound = 4;    // 2-propanol
};
