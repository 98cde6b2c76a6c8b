#pragma once
// The method behind the built-in demo: volatile compounds of spirits on two columns, three
// calibration levels run twice each, and one sample run twice. Every number here is chosen so that
// the calculation has something to show on every tab, warnings included.
#include <string>
#include <utility>
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
    std::vector<double> levels;   // calibration concentrations, mg/dm³, by level
    double sample = 0;            // concentration in the sample; 0: absent
    bool inTable = true;          // false: a peak the host names but the analyst does not calculate
};

struct DemoRun {
    std::u16string fileName;      // file name inside the chromatogram folder
    std::u16string sample;
    std::u16string mixture;
    bool calibration = false;
    int level = -1;               // calibration level, an index into the levels; -1 for the sample
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

// The size of a generated workspace: the counts that the analyst's host can hand over at most, to
// see how the window copes. Zero keeps the built-in demo's count.
struct DemoScale {
    int assays = 0;               // calibration runs and the two sample runs together
    int components = 0;           // compounds in the component table
    int peaks = 0;                // peaks on each channel, the compounds among unnamed ones
    bool warnAll = false;         // channel 2 answers 10 % stronger for every compound

    bool any() const { return assays > 0 || components > 0 || peaks > 0 || warnAll; }
};

// Everything a demo is written from: the compounds, the runs and the deliberate faults.
struct DemoPlan {
    std::vector<DemoCompound> compounds;
    std::vector<DemoRun> runs;
    double runMinutes = 14.0;
    double areaScatter = 0.008;   // relative scatter of every peak area
    // Unnamed peaks (time, area) on channel 1 and channel 2.
    std::vector<std::pair<double, double>> impurities[2];
    int driftRun = -1;            // the fault runs of the built-in demo; -1 for none
    int driftCompound = -1;
    int deviationRun = -1;
    int deviationCompound = -1;

    // The built-in demo, exactly as DemoMethod describes it.
    static DemoPlan builtIn();
    // A generated method of `scale`'s size: distinct compounds spread over a longer run, calibration
    // runs cycling through 16 levels and two sample runs. Counts left at 0 take the built-in demo's.
    static DemoPlan scaled(const DemoScale& scale);
};
