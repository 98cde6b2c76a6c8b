#include <vector>

#include "engine/CalculationPass.h"
#include "engine/MessageLog.h"
#include "engine/PeakSearch.h"

namespace {

// Resolutions of one component's peak on one channel, summed over the calibration chromatograms
// in their order.
struct ResolutionSum {
    double sum = 0;
    int count = 0;

    double mean() const { return count > 0 ? sum / count : -1; }
};

// Walks the calibration chromatograms once, each table with every component that needs it, so that
// a table is read while it is at hand instead of once per component; every component's sums still
// run over the chromatograms in their order.
void measureResolutions(CalculationPass& pass, const std::vector<std::size_t>& chosen,
                        std::vector<ResolutionSum>& channel1, std::vector<ResolutionSum>& channel2)
{
    for (CalibrationAssay& assay : pass.calibration) {
        for (int channel = 1; channel <= 2; ++channel) {
            const PeakList* table = assay.tables.channel(channel);
            if (!table)
                continue;
            std::vector<ResolutionSum>& sums = channel == 2 ? channel2 : channel1;
            for (std::size_t k = 0; k < chosen.size(); ++k) {
                const std::size_t c = chosen[k];
                const double r = pass.refTime(c, channel);
                if (!(r > 0))
                    continue;
                const MatchedPeaks& matches = assay.matches(channel);
                const int position = nearestPosition(matches.of(c), r);
                if (position == -1)
                    continue;
                const double resolution = matches.factAt(c, static_cast<std::size_t>(position)).minResolution;
                if (resolution >= 0) {
                    sums[k].sum += resolution;
                    ++sums[k].count;
                }
            }
        }
    }
}

} // namespace

// The main channel is fixed by the table, or else the channel on which the component's peak is
// better separated from its neighbours (the mean resolution over the calibration chromatograms).
void chooseMainChannels(CalculationPass& pass)
{
    const std::size_t count = pass.components.size();
    pass.mainChannel.assign(count, 1);
    std::vector<std::size_t> chosen;  // components whose channel the resolution chooses
    for (std::size_t c = 0; c < count; ++c) {
        const int32_t fixed = pass.components[c].mainChannel;
        if (fixed == 1 || fixed == 2)
            pass.mainChannel[c] = fixed;
        else
            chosen.push_back(c);
    }
    std::vector<ResolutionSum> channel1(chosen.size()), channel2(chosen.size());
    measureResolutions(pass, chosen, channel1, channel2);
    for (std::size_t k = 0; k < chosen.size(); ++k) {
        const std::size_t c = chosen[k];
        const double mean1 = channel1[k].mean();
        const double mean2 = channel2[k].mean();
        pass.mainChannel[c] = mean2 > mean1 ? 2 : 1;
        if (mean1 < 0 && mean2 < 0 && pass.assayCount > 0)
            pass.log.addWarning(
                u"\"%s\": основной канал не определён автоматически, выберите канал в таблице компонентов.",
                pass.components[c].name);
    }
}
