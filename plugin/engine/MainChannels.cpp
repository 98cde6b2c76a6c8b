#include "engine/CalculationPass.h"
#include "engine/Identification.h"
#include "engine/MessageLog.h"
#include "engine/PeakSearch.h"
#include "engine/ResolutionTable.h"

namespace {

// Mean resolution of the component's peak on one channel over the calibration chromatograms;
// -1 when it was measured nowhere.
double meanResolution(CalculationPass& pass, std::size_t component, int channel)
{
    const double r = pass.refTime(component, channel);
    if (!(r > 0))
        return -1;
    double sum = 0;
    int count = 0;
    for (CalibrationAssay& assay : pass.calibration) {
        const PeakList* table = assay.tables.channel(channel);
        if (!table)
            continue;
        int i = nearestAmong(assay.matches(channel).of(component), r);
        if (i == -1)
            continue;
        double resolution = assay.resolution(channel).minResolution(i);
        if (resolution >= 0) {
            sum += resolution;
            ++count;
        }
    }
    return count > 0 ? sum / count : -1;
}

} // namespace

// The main channel is fixed by the table, or else the channel on which the component's peak is
// better separated from its neighbours.
void chooseMainChannels(CalculationPass& pass)
{
    const std::size_t count = pass.components.size();
    pass.mainChannel.assign(count, 1);
    for (std::size_t c = 0; c < count; ++c) {
        const Component& component = pass.components[c];
        if (component.mainChannel == 1 || component.mainChannel == 2) {
            pass.mainChannel[c] = component.mainChannel;
            continue;
        }
        double mean1 = -1, mean2 = -1;
        if (!pass.calibration.empty()) {
            mean1 = meanResolution(pass, c, 1);
            mean2 = meanResolution(pass, c, 2);
        }
        pass.mainChannel[c] = mean2 > mean1 ? 2 : 1;
        if (mean1 < 0 && mean2 < 0 && pass.assayCount > 0)
            pass.log.addWarning(
                u"\"%s\": основной канал не определён автоматически, выберите канал в таблице компонентов.",
                component.name);
    }
}
