#pragma once
// The calculation pass: reference retention times, main channels and identification in the
// calibration chromatograms, calibration lines, and quantitation in the analysis chromatograms.
// It never stops early; every shortage becomes a message in the log and a flag in the rows.
#include "engine/CalculationResult.h"
#include "engine/Component.h"
#include "engine/PluginSettings.h"
#include "input/AssayRecord.h"

class MessageLog;

// Writes its messages to `log`.
CalculationResult runCalculation(const AssayMap& assays, const ComponentList& components,
                                 const PluginSettings& settings, MessageLog& log);

// Writes its messages to theMessageLog(); when no main window has registered a log the messages
// go to a log of the pass's own and are dropped with it.
CalculationResult runCalculation(const AssayMap& assays, const ComponentList& components,
                                 const PluginSettings& settings);
