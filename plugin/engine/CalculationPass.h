#pragma once
// The working state of one calculation pass, shared by its four stages. It lives for one
// runCalculation call; nothing of it survives the pass.
#include <cstdint>
#include <vector>

#include "engine/CalculationResult.h"
#include "engine/Component.h"
#include "engine/ComponentNameIndex.h"
#include "engine/MatchedPeaks.h"
#include "engine/PeakMatching.h"
#include "engine/PeakNames.h"
#include "engine/PluginSettings.h"
#include "input/AssayRecord.h"

class MessageLog;

// A calibration chromatogram with its first two channel tables and each table's name matches.
struct CalibrationAssay {
    int32_t id = 0;
    const AssayRecord* record = nullptr;
    ChannelTables tables;
    MatchedPeaks matches1;
    MatchedPeaks matches2;
    SharedConst<PeakTableFacts> learnt1;   // the tables' facts, where the record has none of them
    SharedConst<PeakTableFacts> learnt2;
    const IdentificationList* rows = nullptr;  // this assay's rows in the result, once identified

    const MatchedPeaks& matches(int channel) const { return channel == 2 ? matches2 : matches1; }
};

// An analysis chromatogram with the name matches of its database peaks.
struct AnalysisAssay {
    const AssayRecord* record = nullptr;
    MatchedPeaks peakMatches;
    SharedConst<PeakTableFacts> learnt;
};

struct CalculationPass {
    CalculationPass(const ComponentList& components, const PluginSettings& settings, MessageLog& log)
        : components(components), settings(settings), log(log), names(components), peakNames(names) {}

    const ComponentList& components;
    const PluginSettings& settings;
    MessageLog& log;
    ComponentNameIndex names;
    PeakNames peakNames;   // over `names`

    std::vector<CalibrationAssay> calibration;  // in the workspace's order
    std::vector<AnalysisAssay> analysis;        // in the workspace's order
    std::size_t assayCount = 0;

    std::vector<double> refTime1;   // per component
    std::vector<double> refTime2;
    std::vector<int32_t> mainChannel;
    std::vector<SharedName> componentNames;  // per component, for the identification rows

    CalculationResult result;

    double refTime(std::size_t component, int channel) const
    {
        return channel == 2 ? refTime2[component] : refTime1[component];
    }
};

// The stages, in the order the pass runs them.
void computeReferenceTimes(CalculationPass& pass);
void chooseMainChannels(CalculationPass& pass);
void identifyCalibrationAssays(CalculationPass& pass);
void fitCalibrationLines(CalculationPass& pass);
void quantifyAnalysisAssays(CalculationPass& pass);
