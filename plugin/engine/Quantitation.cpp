#include "engine/CalculationPass.h"
#include "engine/MessageLog.h"

// Each analysis chromatogram contributes the first of its database peaks named like the component,
// converted by the calibration line with intercept.
void quantifyAnalysisAssays(CalculationPass& pass)
{
    if (pass.analysis.size() != 2) {
        pass.log.addError(u"Для расчета требуется 2 аналитические хроматограммы, загружено %d.",
                          static_cast<int>(pass.analysis.size()));
        return;
    }
    pass.result.quantitation.reserve(pass.components.size());
    for (std::size_t c = 0; c < pass.components.size(); ++c) {
        const CalibrationRow& line = pass.result.calibration[c];
        QuantitationRow row;
        row.name = pass.components[c].name;
        row.mainChannel = pass.mainChannel[c];
        double sum = 0;
        for (const AnalysisAssay& assay : pass.analysis) {
            const PeakMatches matches = assay.peakMatches.of(c);
            if (matches.indices.empty())
                continue;
            row.detected = true;
            if (line.fitted) {
                sum += line.k1 * assay.record->peaks[static_cast<std::size_t>(matches.indices.front())].area + line.k0;
                ++row.contributions;
            }
        }
        if (row.contributions > 0) {
            row.valid = true;
            row.concentration = sum / row.contributions;
        }
        pass.result.quantitation.push_back(std::move(row));
    }
}
