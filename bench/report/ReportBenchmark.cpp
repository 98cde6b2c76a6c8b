// The report commands' cost: the whole report for a large workspace (256 chromatograms, 100
// components) with the shipped template, and dvinar-batch end to end on the demo data.
#include "DemoDataWriter.h"
#include "engine/MessageLog.h"
#include "platform/Format.h"
#include "platform/Text.h"
#include "report/HtmlReport.h"
#include "report/ReportDocument.h"
#include "report/ReportUserInterface.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace {

class SilentReportUserInterface : public ReportUserInterface {
public:
    void showError(const std::u16string& text) override { failure = text; }
    std::optional<std::u16string> askSavePath(const SaveReportRequest&) override { return std::nullopt; }
    void openWithShell(const std::u16string&) override {}
    std::u16string failure;
};

std::filesystem::path scratchFolder(const char* name)
{
    std::filesystem::path folder = std::filesystem::temp_directory_path() / name;
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder;
}

AssayMap largeWorkspace()
{
    AssayMap assays;
    for (int32_t id = 1; id <= 256; ++id) {
        AssayRecord& record = assays[id];
        record.fileName = platform::format(u"/data/Vantrel/2024/Хроматограмма_%04d.stg", {id});
        record.sample = platform::format(u"Проба %d, партия «%d»", {id, id % 17});
        record.mixture = id % 3 == 0 ? std::u16string(u"Смесь ЛВП-2") : std::u16string();
        record.date = 1710232200 + 1800LL * id;
        record.isCalibration = id % 4 != 0;
    }
    return assays;
}

CalculationResult largeResult()
{
    CalculationResult result;
    for (int i = 0; i < 100; ++i) {
        CalibrationRow line;
        line.name = platform::format(u"Компонент %d", {i + 1});
        line.fitted = i % 5 != 0;
        line.k0 = 0.001 * i - 0.03;
        line.k1 = 0.0123 + 0.0001 * i;
        line.pointCount = 3;
        result.calibration.push_back(line);
        QuantitationRow row;
        row.name = line.name;
        row.detected = i % 7 != 0;
        row.valid = row.detected && line.fitted;
        row.concentration = 1.5 * i;
        result.quantitation.push_back(row);
    }
    return result;
}

void BM_ReportCommand(benchmark::State& state)
{
    const std::filesystem::path temp = scratchFolder("vexol_report_bench");
    const char* previousTemp = std::getenv("TMPDIR");
    const std::string savedTemp = previousTemp ? previousTemp : "";
    setenv("TMPDIR", temp.c_str(), 1);
    const std::u16string templatePath = platform::utf8ToUtf16(VEXOL_SOURCE_DIR "/data/Report.xsl");
    const AssayMap assays = largeWorkspace();
    const CalculationResult result = largeResult();
    MessageLog log;
    for (int i = 0; i < 40; ++i)
        log.addWarning(u"\"%s\", канал 2 - время выхода вне окна.", platform::format(u"Компонент %d", {i}));
    setTheMessageLog(&log);

    for (auto _ : state) {
        SilentReportUserInterface ui;
        HtmlReport report(assays, result, false, false, ui, templatePath);
        if (!report.succeeded()) {
            state.SkipWithError(platform::utf16ToUtf8(ui.failure).c_str());
            break;
        }
        state.PauseTiming();
        std::filesystem::remove_all(temp);  // the placeholder names would run out otherwise
        std::filesystem::create_directories(temp);
        state.ResumeTiming();
    }
    setTheMessageLog(nullptr);
    if (previousTemp)
        setenv("TMPDIR", savedTemp.c_str(), 1);
    else
        unsetenv("TMPDIR");
    std::filesystem::remove_all(temp);
}
BENCHMARK(BM_ReportCommand)->Unit(benchmark::kMillisecond)->Repetitions(10)->DisplayAggregatesOnly(true);

// The document alone, to tell its share from the transformation's.
void BM_BuildSourceXml(benchmark::State& state)
{
    const AssayMap assays = largeWorkspace();
    const CalculationResult result = largeResult();
    for (auto _ : state)
        benchmark::DoNotOptimize(buildSourceXml(assays, result, false));
}
BENCHMARK(BM_BuildSourceXml)->Unit(benchmark::kMillisecond);

void BM_DvinarBatchDemo(benchmark::State& state)
{
    const std::filesystem::path folder = scratchFolder("vexol_batch_bench");
    std::u16string error;
    if (!DemoDataWriter::write(platform::utf8ToUtf16(folder.string()), true, error)) {
        state.SkipWithError(platform::utf16ToUtf8(error).c_str());
        return;
    }
    const std::string program = VEXOL_BIN_DIR "/dvinar-batch";
    const std::string database = platform::utf16ToUtf8(DemoDataWriter::databasePath(platform::utf8ToUtf16(folder.string())));
    const std::string components =
        platform::utf16ToUtf8(DemoDataWriter::componentTablePath(platform::utf8ToUtf16(folder.string())));
    const std::string json = (folder / "result.json").string();
    const std::string xml = (folder / "source.xml").string();
    const std::string html = (folder / "report.html").string();
    const std::string templatePath = VEXOL_SOURCE_DIR "/data/Report.xsl";
    std::vector<std::string> arguments = {program, "--db", database, "--ids", "1,2,3,4,5,6,7,8", "--components",
                                          components, "--dev-control", "--json", json, "--source-xml", xml,
                                          "--report", html, "--template", templatePath};
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    for (auto _ : state) {
        pid_t child = 0;
        if (posix_spawn(&child, program.c_str(), nullptr, nullptr, argv.data(), environ) != 0) {
            state.SkipWithError("dvinar-batch could not be started");
            break;
        }
        int status = 0;
        waitpid(child, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("dvinar-batch failed");
            break;
        }
    }
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_DvinarBatchDemo)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)->DisplayAggregatesOnly(true);

} // namespace

BENCHMARK_MAIN();
