#pragma once
// The main window's two report commands, after the workspace has run the calculation for the
// report. Neither lets an exception out: every failure ends in a message box through `ui`.
#include <cstdint>
#include <string>

#include "engine/CalculationResult.h"
#include "input/AssayRecord.h"

class ReportUserInterface;

// "Отчет": makes the report and opens it in the desktop's viewer.
void showReport(const AssayMap& assays, const CalculationResult& result, bool hideNotFound, ReportUserInterface& ui);

// "Сохранить отчет": makes the report, asks where to keep it and copies it there.
void saveReport(const AssayMap& assays, const CalculationResult& result, bool hideNotFound, ReportUserInterface& ui);

// "Отчет_vexol_2024-12-31.html" for the local date of the moment; parts that cannot be worked
// out are 0.
std::u16string suggestedReportFileName(int64_t secondsSince1970);
