#include <vector>

#include "engine/CalculationPass.h"
#include "engine/MessageLog.h"
#include "engine/PeakSearch.h"

// A component's reference time on a channel is the mean time at which it was seen in the
// calibration chromatograms; where it was never seen the table time stands.
void computeReferenceTimes(CalculationPass& pass)
{
    const std::size_t count = pass.components.size();
    pass.refTime1.resize(count);
    pass.refTime2.resize(count);
    for (std::size_t c = 0; c < count; ++c) {
        pass.refTime1[c] = pass.components[c].time1;
        pass.refTime2[c] = pass.components[c].time2;
    }
    if (pass.calibration.empty()) {
        pass.log.addWarning(u"Нет градуировочных хроматограмм для расчета эталонного времени.");
        return;
    }
    // Chromatogram by chromatogram, each table with every component while it is at hand; every
    // component's sum still runs over the chromatograms in their order.
    std::vector<double> sum1(count, 0), sum2(count, 0);
    std::vector<int> found1(count, 0), found2(count, 0);
    for (const CalibrationAssay& assay : pass.calibration) {
        for (int channel = 1; channel <= 2; ++channel) {
            if (!assay.tables.channel(channel))
                continue;
            const MatchedPeaks& matches = assay.matches(channel);
            std::vector<double>& sum = channel == 2 ? sum2 : sum1;
            std::vector<int>& found = channel == 2 ? found2 : found1;
            for (std::size_t c = 0; c < count; ++c) {
                // The search starts from the table time, never from another reference time.
                const double tableTime = channel == 2 ? pass.components[c].time2 : pass.components[c].time1;
                if (tableTime <= 0)
                    continue;
                const PeakMatches peaks = matches.of(c);
                const int k = nearestPosition(peaks, tableTime);
                if (k != -1) {
                    sum[c] += peaks.times[static_cast<std::size_t>(k)];
                    ++found[c];
                }
            }
        }
    }
    for (std::size_t c = 0; c < count; ++c) {
        if (found1[c] >= 1)
            pass.refTime1[c] = sum1[c] / found1[c];
        if (found2[c] >= 1)
            pass.refTime2[c] = sum2[c] / found2[c];
    }
}
