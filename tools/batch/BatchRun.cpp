#include "BatchRun.h"

#include "BatchEvidence.h"
#include "ResultCsv.h"
#include "ResultJson.h"
#include "engine/Calculation.h"
#include "engine/ComponentTable.h"
#include "engine/MessageLog.h"
#include "host/AssayAdding.h"
#include "input/AssayLoader.h"
#include "input/Connection.h"
#include "input/SqlException.h"
#include "platform/FileSeam.h"
#include "platform/Paths.h"
#include "platform/PrivateTempFolder.h"
#include "platform/Text.h"
#include "report/HtmlReport.h"
#include "report/ReportDocument.h"
#include "report/ReportUserInterface.h"

#include <algorithm>
#include <map>
#include <memory>
#include <ctime>
#include <optional>

namespace {

// The report's message boxes become the run's failure text; nothing is opened or asked.
class BatchReportUserInterface : public ReportUserInterface {
public:
    void showError(const std::u16string& text) override
    {
        if (!failure.empty())
            failure += u"\n";
        failure += text;
    }
    std::optional<std::u16string> askSavePath(const SaveReportRequest&) override { return std::nullopt; }
    void openWithShell(const std::u16string&) override {}

    std::u16string failure;
};

// The log the pass writes to, registered for the report for the length of the run.
class RunLog {
public:
    RunLog() { setTheMessageLog(&log); }
    ~RunLog() { setTheMessageLog(nullptr); }
    RunLog(const RunLog&) = delete;
    RunLog& operator=(const RunLog&) = delete;
    MessageLog log;
};

std::u16string wide(const std::string& path) { return platform::fromNativePath(path); }

std::string littleEndianBytes(const std::u16string& text)
{
    std::string bytes(text.size() * 2, '\0');
    for (std::size_t i = 0; i < text.size(); ++i) {
        bytes[2 * i] = static_cast<char>(text[i] & 0xFF);
        bytes[2 * i + 1] = static_cast<char>(text[i] >> 8);
    }
    return bytes;
}

// Whole or not at all: a full disk or a killed run leaves the previous output as it was.
bool writeOutput(const std::string& path, std::string_view bytes, std::ostream& err)
{
    if (platform::FileError error; !platform::writeFileAtomically(wide(path), bytes, error)) {
        err << "dvinar-batch: " << error.messageUtf8() << '\n';
        return false;
    }
    return true;
}

// The ids asked for that gave no assay: not in the database, deleted or hidden.
bool reportIdsNotFound(const BatchOptions& options, const AssayMap& assays, std::ostream& err)
{
    bool missing = false;
    std::vector<int32_t> told;
    for (int32_t id : options.ids) {
        if (assays.count(id) || std::find(told.begin(), told.end(), id) != told.end())
            continue;
        told.push_back(id);
        err << "dvinar-batch: assay " << id << " is not in the database or is hidden\n";
        missing = true;
    }
    return missing;
}

// Loads every id once, in order, over one connection, as adding through the host does.
// Raises DataBase::SqlException.
void loadAssays(const BatchOptions& options, AssayMap& assays, std::map<int32_t, int32_t>& fileResults,
                std::ostream& err)
{
    const std::u16string database = wide(options.database);
    // Opening creates a missing database file; a batch run must not leave one behind.
    if (!platform::fileExists(database))
        throw DataBase::SqlException("unable to open database file", std::string(), 14);
    DataBase::Connection connection(database.c_str());
    std::vector<host::UnreadChromatogram> unread;
    auto recordLoad = [&](int32_t id, const AssayRecord& record, int32_t fileResult) {
        fileResults[id] = fileResult;
        if (fileResult != 0)
            err << "dvinar-batch: " << platform::utf16ToUtf8(fileLoadErrorText(fileResult, record.fileName)) << '\n';
    };
    host::loadNewAssays(connection, options.ids, assays, unread, recordLoad);
}

} // namespace

int runBatch(const BatchOptions& options, std::ostream& out, std::ostream& err)
{
    const std::time_t startedAt = std::time(nullptr);
    RepeatabilityLimits limits;
    if (std::string error; !loadRepeatabilityLimits(options, limits, error)) {
        err << "dvinar-batch: " << error << '\n';
        return BatchBadArguments;
    }

    AssayMap assays;
    std::map<int32_t, int32_t> fileResults;
    try {
        loadAssays(options, assays, fileResults, err);
    } catch (const DataBase::SqlException& failure) {
        err << "dvinar-batch: database error: " << failure.message() << " (code " << failure.code() << ")\n";
        return BatchDatabaseError;
    }

    // An output must never take an input's place.
    const std::pair<const char*, const std::optional<std::string>&> outputs[] = {
        {"--csv", options.csv}, {"--report", options.report}, {"--json", options.json}, {"--source-xml", options.sourceXml}};
    for (const auto& [name, output] : outputs)
        if (output && *output != "-")
            if (auto input = inputNamedBy(*output, options, assays)) {
                err << "dvinar-batch: " << name << " names an input file: " << *input << '\n';
                return BatchBadArguments;
            }
    const bool idsNotFound = reportIdsNotFound(options, assays, err);

    ComponentList components;
    if (options.components) {
        // A table named on the command line must be there: an empty table would pass unnoticed.
        platform::FileError error;
        if (!ComponentTable::loadFrom(wide(*options.components), components, &error)) {
            err << "dvinar-batch: --components: " << error.messageUtf8() << '\n';
            return BatchBadArguments;
        }
    } else {
        ComponentTable::load(components);  // a missing installed table is an empty one, as in the window
    }

    std::vector<std::u16string> componentNames;
    for (const Component& component : components)
        componentNames.push_back(component.name);
    for (const std::u16string& name : limits.unusedNames(componentNames))
        err << "dvinar-batch: warning: the limits file names '" << platform::utf16ToUtf8(name)
            << "', which is no component of the table\n";

    PluginSettings settings;
    settings.unitMode = options.unitMode;
    settings.devControl = options.devControl;
    settings.hideNotFound = options.hideNotFound;

    RunLog run;
    const CalculationResult result = runCalculation(assays, components, settings, run.log);

    int exitCode = BatchSucceeded;
    std::u16string sourceXml;
    if (options.report) {
        BatchReportUserInterface ui;
        HtmlReport report(assays, result, false, options.hideNotFound, ui,
                          options.templateFile ? wide(*options.templateFile) : std::u16string());
        sourceXml = report.sourceXml();
        if (!report.succeeded()) {
            if (ui.failure.empty())
                ui.failure = u"No report template: there is no public documents folder.";
            err << "dvinar-batch: " << platform::utf16ToUtf8(ui.failure) << '\n';
            exitCode = BatchReportFailure;
        } else if (!platform::copyFileReplace(report.outputPath(), wide(*options.report))) {
            err << "dvinar-batch: Не удалось сохранить отчет. (" << *options.report << ")\n";
            exitCode = BatchReportFailure;
        }
        // A batch leaves no temporary report behind.
        platform::removeSessionTempFiles();
    }

    if (options.sourceXml) {
        if (sourceXml.empty())
            sourceXml = buildSourceXml(assays, result, options.hideNotFound);
        if (!writeOutput(*options.sourceXml, littleEndianBytes(sourceXml), err))
            exitCode = BatchReportFailure;
    }

    ResultEvidence evidence;
    evidence.parallel = parallelRuns(assays, components, result, limits);
    if (options.csv) {
        const std::string csv = resultCsv(result.quantitation, evidence.parallel);
        if (!writeOutput(*options.csv, csv, err))
            exitCode = BatchReportFailure;
    }

    if (options.json) {
        evidence.provenance = collectProvenance(options, assays, startedAt);
        const std::string json = resultJson(assays, fileResults, result, run.log, evidence);
        if (*options.json == "-")
            out << json << std::flush;
        else if (!writeOutput(*options.json, json, err))
            exitCode = BatchReportFailure;
    }
    // Missing ids make the result partial; a failed output is the graver news.
    if (exitCode == BatchSucceeded && idsNotFound)
        exitCode = BatchSomeIdsNotFound;
    return exitCode;
}
