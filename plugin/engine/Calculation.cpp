#include "engine/Calculation.h"

#include "engine/CalculationPass.h"
#include "engine/MessageLog.h"
#include "engine/TableFacts.h"

namespace {

void sortAssays(const AssayMap& assays, CalculationPass& pass)
{
    pass.assayCount = assays.size();
    pass.calibration.reserve(assays.size());
    for (const auto& [id, record] : assays) {
        if (record.isCalibration) {
            CalibrationAssay assay;
            assay.id = id;
            assay.record = &record;
            assay.tables = firstTwoChannels(record);
            pass.calibration.push_back(std::move(assay));
        } else {
            AnalysisAssay assay;
            assay.record = &record;
            pass.analysis.push_back(std::move(assay));
        }
    }
}

MatchedPeaks matchTable(CalculationPass& pass, const AssayRecord& record, const PeakList& table,
                        SharedConst<PeakTableFacts>& learnt)
{
    return MatchedPeaks(table, factsOf(record, table, learnt), pass.peakNames, pass.components.size());
}

// Each table's named peaks are matched to the components once here, for every stage of the pass:
// from the facts learnt when the assay was loaded, or else learnt now.
void matchPeakNames(CalculationPass& pass)
{
    for (CalibrationAssay& assay : pass.calibration) {
        if (assay.tables.channel1)
            assay.matches1 = matchTable(pass, *assay.record, *assay.tables.channel1, assay.learnt1);
        if (assay.tables.channel2)
            assay.matches2 = matchTable(pass, *assay.record, *assay.tables.channel2, assay.learnt2);
    }
    // Quantitation looks at the database peaks only when there are exactly two analysis assays.
    if (pass.analysis.size() == 2)
        for (AnalysisAssay& assay : pass.analysis)
            assay.peakMatches = matchTable(pass, *assay.record, assay.record->peaks, assay.learnt);
}

} // namespace

CalculationResult runCalculation(const AssayMap& assays, const ComponentList& components,
                                 const PluginSettings& settings, MessageLog& log)
{
    CalculationPass pass(components, settings, log);
    sortAssays(assays, pass);
    pass.result.hasCalibration = !pass.calibration.empty();
    if (pass.calibration.size() < 2)
        log.addError(u"Для градуировки требуется не менее 2 градуировочных хроматограмм, загружено %d.",
                     static_cast<int>(pass.calibration.size()));
    matchPeakNames(pass);

    computeReferenceTimes(pass);
    chooseMainChannels(pass);
    identifyCalibrationAssays(pass);
    fitCalibrationLines(pass);
    quantifyAnalysisAssays(pass);
    return std::move(pass.result);
}

CalculationResult runCalculation(const AssayMap& assays, const ComponentList& components,
                                 const PluginSettings& settings)
{
    if (MessageLog* log = theMessageLog())
        return runCalculation(assays, components, settings, *log);
    MessageLog passOwnLog;
    return runCalculation(assays, components, settings, passOwnLog);
}
