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
    for (std::size_t c = 0; c < count; ++c) {
        for (int channel = 1; channel <= 2; ++channel) {
            // The search starts from the table time, never from another reference time.
            const double tableTime = channel == 2 ? pass.components[c].time2 : pass.components[c].time1;
            if (tableTime <= 0)
                continue;
            double sum = 0;
            int found = 0;
            for (const CalibrationAssay& assay : pass.calibration) {
                const PeakList* table = assay.tables.channel(channel);
                if (!table)
                    continue;
                const PeakMatches matches = assay.matches(channel).of(c);
                const int k = nearestPosition(matches, tableTime);
                if (k != -1) {
                    sum += matches.times[static_cast<std::size_t>(k)];
                    ++found;
                }
            }
            if (found >= 1)
                (channel == 2 ? pass.refTime2 : pass.refTime1)[c] = sum / found;
        }
    }
}
