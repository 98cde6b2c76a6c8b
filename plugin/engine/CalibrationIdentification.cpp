#include <cmath>

#include "engine/CalculationPass.h"
#include "engine/MessageLog.h"
#include "engine/PassMessages.h"
#include "engine/PeakSearch.h"
#include "platform/Format.h"
#include "platform/Paths.h"

namespace {

struct ChannelFinding {
    bool found = false;
    double time = 0;
    double area = 0;
    double concentration = 0;
};

ChannelFinding searchChannel(const CalculationPass& pass, const CalibrationAssay& assay, std::size_t c,
                             int channel, std::u16string_view fileName)
{
    ChannelFinding finding;
    const PeakList* table = assay.tables.channel(channel);
    const double refTime = pass.refTime(c, channel);
    if (!table || !(refTime > 0))
        return finding;
    const Component& component = pass.components[c];
    const double window = channel == 2 ? component.window2 : component.window1;
    const MatchedPeaks& matches = assay.matches(channel);
    const int k = windowSearchPosition(matches.of(c), component, refTime, window, pass.settings.unitMode, channel,
                                       fileName, pass.log);
    if (k != -1) {
        // The peak as the table's facts hold it, without reaching into the table.
        const NamedPeakFact& peak = matches.factAt(c, static_cast<std::size_t>(k));
        finding.found = true;
        finding.time = peak.time;
        finding.area = peak.area;
        finding.concentration = peak.concent;
    }
    return finding;
}

// The two channels' responses of one peak should agree; the check only warns.
void checkDeviation(const CalculationPass& pass, const Component& component, const IdentificationRow& row,
                    double area1, double area2, std::u16string_view fileName)
{
    if (!pass.settings.devControl || !(row.refTime2 > 0) || !row.identified)
        return;
    if (!(area1 > 0) || !(area2 > 0) || !(component.deviation > 0))
        return;
    const double d = std::fabs(area1 - area2) / ((area1 + area2) * 0.5) * 100;
    if (d > component.deviation)
        pass.log.writeWarning(
            [&](std::u16string& out) { appendDeviationText(out, fileName, component.name, d, component.deviation); });
}

IdentificationList identifyAssay(const CalculationPass& pass, const CalibrationAssay& assay)
{
    const std::u16string_view fileName = platform::fileNamePart(assay.record->fileName);
    IdentificationList rows;
    rows.reserve(pass.components.size());
    for (std::size_t c = 0; c < pass.components.size(); ++c) {
        const Component& component = pass.components[c];
        IdentificationRow& row = rows.emplace_back();
        row.name = pass.componentNames[c];
        row.mainChannel = pass.mainChannel[c];
        row.refTime1 = pass.refTime1[c];
        row.refTime2 = pass.refTime2[c];

        const ChannelFinding one = searchChannel(pass, assay, c, 1, fileName);
        const ChannelFinding two = searchChannel(pass, assay, c, 2, fileName);
        row.found1 = one.found;
        row.peakTime1 = one.time;
        row.found2 = two.found;
        row.peakTime2 = two.time;

        if (row.refTime2 > 0)
            row.identified = row.found1 && row.found2;
        else
            row.identified = row.mainChannel == 2 ? row.found2 : row.found1;

        const ChannelFinding& main = row.mainChannel == 2 ? two : one;
        row.area = main.area;
        row.concentration = main.concentration;

        checkDeviation(pass, component, row, one.area, two.area, fileName);
    }
    return rows;
}

} // namespace

void identifyCalibrationAssays(CalculationPass& pass)
{
    pass.componentNames.reserve(pass.components.size());
    for (const Component& component : pass.components)
        pass.componentNames.emplace_back(component.name);
    for (CalibrationAssay& assay : pass.calibration) {
        IdentificationList& rows = pass.result.identification[assay.id];
        rows = identifyAssay(pass, assay);
        assay.rows = &rows;
    }
}
