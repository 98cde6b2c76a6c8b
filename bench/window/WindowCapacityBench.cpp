// The main window at the host's full capacity (256 assays, 200 components, 1000 peaks on each
// channel), offscreen: every action the analyst takes, each timed with the repaint of the window
// that follows it, plus the calculation pass alone and the time to touch every peak once. The same
// actions run again on a workspace in which every calibration run warns about its channels.
// The report's parts are timed on their own as well: the source document, the transformation
// alone (the report's floor) and writing the file.
//   window_capacity_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
#include "CapacityWorkspace.h"
#include "XsltAlone.h"

#include "engine/Calculation.h"
#include "engine/ComponentTable.h"
#include "engine/MessageLog.h"
#include "host/AssayAdding.h"
#include "host/HostBus.h"
#include "host/SettingsStore.h"
#include "input/Connection.h"
#include "input/DataBaseConnectionBase.h"
#include "platform/FileSeam.h"
#include "platform/PrivateTempFolder.h"
#include "platform/Text.h"
#include "report/ReportDocument.h"
#include "report/ReportUserInterface.h"
#include "ui/DlgMain.h"
#include "ui/GradTab.h"
#include "ui/IdentTab.h"
#include "ui/MainWindowCommands.h"
#include "ui/TabControl.h"
#include "ui/controls/CGridCtrl.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QItemSelectionModel>
#include <QTabBar>

#include <benchmark/benchmark.h>
#include <pugixml.hpp>

#include <sys/resource.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <numeric>
#include <optional>
#include <string>
#include <vector>

namespace {

enum Workload { FullCapacity = 0, EveryRunWarns = 1 };

// The host's side: the assay dialog answers every id, the profile holds the demo's settings.
std::vector<int32_t> chosenIds;
// Every pipeline reads the settings afresh; counting the reads of one counts the pipelines.
long long unitModeReads = 0;

intptr_t serveCommand(const char* name, intptr_t argument1, intptr_t argument2)
{
    const std::string command = name;
    if (command == "Main/OpenAssayIdDlg") {
        auto* ids = reinterpret_cast<int32_t*>(argument2);
        const std::size_t count = std::min<std::size_t>(chosenIds.size(), static_cast<std::size_t>(argument1));
        std::copy_n(chosenIds.begin(), count, ids);
        return static_cast<intptr_t>(count);
    }
    if (command == "Profile/GetInt") {
        static const std::map<std::u16string, int32_t> profile = {{u"plugins\\vexol\\Settings/unitMode", 0},
                                                                    {u"plugins\\vexol\\Settings/devControl", 1},
                                                                    {u"plugins\\vexol\\Settings/hideNotFound", 0}};
        const std::u16string key = reinterpret_cast<const char16_t*>(argument1);
        if (key == u"plugins\\vexol\\Settings/unitMode")
            ++unitModeReads;
        const auto found = profile.find(key);
        if (found == profile.end())
            return 0;
        *reinterpret_cast<int32_t*>(argument2) = found->second;
        return 1;
    }
    return command == "Profile/SetInt" ? 1 : 0;
}

int32_t hasCommand(const char*) { return 1; }

// The report opens nothing; failures are kept to stop the benchmark.
class QuietDialogs : public ReportUserInterface {
public:
    void showError(const std::u16string& text) override { lastError = text; }
    std::optional<std::u16string> askSavePath(const SaveReportRequest&) override { return std::nullopt; }
    void openWithShell(const std::u16string& path) override { opened = path; }

    std::u16string lastError;
    std::u16string opened;
};

class Window {
public:
    static Window& instance()
    {
        if (!held())
            held().reset(new Window);
        return *held();
    }

    // The window's widgets go before the application object does; a window left to the exit
    // handlers would be taken down after it and crash the program at its very end.
    static void destroy() { held().reset(); }

    // Loads `workload` into the window unless it holds it already; false with `error` set.
    bool hold(Workload workload, std::string& error)
    {
        if (held_ == workload)
            return true;
        CapacityWorkspace& data = workspaces_[workload];
        if (data.folder.empty()) {
            data = capacityWorkspace(workload == EveryRunWarns, error);
            if (data.folder.empty())
                return false;
        }
        use(data);
        dialogs_.lastError.clear();
        window_->commands().removeAll();
        addAll();
        held_ = workload;
        if (window_->assayList()->rowCount() != data.assays) {
            error = "the window holds " + std::to_string(window_->assayList()->rowCount()) + " assays";
            return false;
        }
        // An assay whose chromatogram could not be read stays in the list without peaks; timing
        // such a window would time an empty workspace.
        const int withoutPeaks = assaysWithoutFilePeaks();
        if (withoutPeaks > 0) {
            error = std::to_string(withoutPeaks) + " of the window's assays hold no file peaks";
            if (!dialogs_.lastError.empty())
                error += ": " + platform::utf16ToUtf8(dialogs_.lastError);
            held_ = static_cast<Workload>(-1);
            return false;
        }
        return true;
    }

    int assaysWithoutFilePeaks() const
    {
        int count = 0;
        for (const auto& [id, record] : window_->commands().workspace().assays()) {
            std::size_t peaks = 0;
            for (const auto& [channel, table] : record.channelPeaks)
                peaks += table.size();
            if (peaks == 0)
                ++count;
        }
        return count;
    }

    void addAll()
    {
        clickButton(ui::DlgMain::kAddButton);
    }

    void clickButton(int id)
    {
        if (auto* button = window_->findChild<QAbstractButton*>(QString::number(id), Qt::FindDirectChildrenOnly))
            button->click();
    }

    // Selects one row of the assay list as a click does (the selection alone, so that no click is
    // taken for half of a double click); false when the row did not become the selection.
    bool selectRow(int row)
    {
        controls::CGridCtrl* list = window_->assayList();
        const QModelIndex index = list->model()->index(row, 0);
        list->scrollTo(index);
        list->selectionModel()->setCurrentIndex(
            index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        return list->selectionModel()->selectedRows().size() == 1 && list->selectionModel()->isRowSelected(row);
    }

    void showTab(int index)
    {
        if (auto* bar = window_->tabControl()->findChild<QTabBar*>())
            bar->setCurrentIndex(index);
    }

    // What the analyst waits for: the events the action left behind and the whole window painted.
    void repaint()
    {
        QCoreApplication::processEvents();
        window_->repaint();
    }

    ui::DlgMain& dialog() { return *window_; }
    QuietDialogs& dialogs() { return dialogs_; }
    const CapacityWorkspace& workspace(Workload workload) const { return workspaces_[workload]; }

private:
    static std::unique_ptr<Window>& held()
    {
        static std::unique_ptr<Window> window;
        return window;
    }

    Window()
    {
        api_.callCommand = &serveCommand;
        api_.hasCommand = &hasCommand;
        host::setHostApi(&api_);
        host::setKeyPrefix(u"plugins\\vexol");
        window_ = new ui::DlgMain(&owner_);
        window_->commands().setDialogs(&dialogs_);
        window_->resize(1280, 900);
        window_->show();
    }

    void use(const CapacityWorkspace& data)
    {
        setenv("VANTREL_PUBLIC_DOCUMENTS", data.publicFolder.c_str(), 1);
        const std::u16string uri = platform::utf8ToUtf16(data.database);
        DataBaseConnectionBase::instance().setUri(uri.c_str());
        chosenIds.resize(static_cast<std::size_t>(data.assays));
        std::iota(chosenIds.begin(), chosenIds.end(), 1);
    }

    HostApi api_ {};
    QWidget owner_;
    ui::DlgMain* window_ = nullptr;  // owned by owner_
    QuietDialogs dialogs_;
    Workload held_ = static_cast<Workload>(-1);
    CapacityWorkspace workspaces_[2];
};

bool prepare(benchmark::State& state, Workload workload)
{
    std::string error;
    if (!Window::instance().hold(workload, error)) {
        state.SkipWithError(error.c_str());
        return false;
    }
    return true;
}

Workload workloadOf(const benchmark::State& state) { return static_cast<Workload>(state.range(0)); }

// Adding all 256 assays to an empty window (+).
void BM_AddAll(benchmark::State& state)
{
    if (!prepare(state, workloadOf(state)))
        return;
    Window& window = Window::instance();
    for (auto _ : state) {
        state.PauseTiming();
        window.dialog().commands().removeAll();
        if (window.dialog().assayList()->rowCount() != 0)
            state.SkipWithError("the assays were not removed");
        window.repaint();
        state.ResumeTiming();
        window.addAll();
        window.repaint();
    }
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["maxRSS_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// What adding costs at the least: reading every chromatogram file and parsing its document.
void BM_ReadAndParseFiles(benchmark::State& state)
{
    if (!prepare(state, workloadOf(state)))
        return;
    const std::filesystem::path folder =
        std::filesystem::path(Window::instance().workspace(workloadOf(state)).folder) / "chromatograms";
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        files.push_back(entry.path());
    std::size_t bytes = 0;
    for (auto _ : state) {
        bytes = 0;
        for (const auto& path : files) {
            std::ifstream in(path, std::ios::binary);
            std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            bytes += content.size();
            const std::size_t xml = content.find("<?xml");
            pugi::xml_document document;
            if (xml == std::string::npos
                || !document.load_buffer(content.data() + xml, content.size() - xml, pugi::parse_default,
                                         pugi::encoding_utf8)) {
                state.SkipWithError("a chromatogram without its document");
                return;
            }
            benchmark::DoNotOptimize(document.first_child());
        }
    }
    state.counters["MB"] = static_cast<double>(bytes) / 1e6;
}

// Selecting a row of the assay list with one tab showing: the whole pipeline and the tabs' refill.
void BM_SelectRow(benchmark::State& state)
{
    if (!prepare(state, workloadOf(state)))
        return;
    Window& window = Window::instance();
    window.showTab(static_cast<int>(state.range(1)));
    window.repaint();
    const long long readsBefore = unitModeReads;
    controls::CGridCtrl* list = window.dialog().assayList();
    for (auto _ : state) {
        // Two calibration runs in turn, so each click is a new selection (also across the runs
        // of this function that the library makes).
        const int row = list->selectionModel()->isRowSelected(10) ? 11 : 10;
        if (!window.selectRow(row)) {
            state.SkipWithError("the row was not selected");
            break;
        }
        window.repaint();
    }
    state.counters["pipelines"] = benchmark::Counter(static_cast<double>(unitModeReads - readsBefore),
                                                     benchmark::Counter::kAvgIterations);
    // Every click ran the pipeline: the calibration run's identification is on its tab.
    controls::CGridCtrl* identification = window.dialog().identTab()->grid(ui::IdentTab::kList);
    if (!identification || identification->rowCount() == 0)
        state.SkipWithError("the identification tab stayed empty");
    window.showTab(0);
}

// Removing one selected assay (−); it is added back outside the timing.
void BM_RemoveOne(benchmark::State& state)
{
    if (!prepare(state, workloadOf(state)))
        return;
    Window& window = Window::instance();
    for (auto _ : state) {
        state.PauseTiming();
        const bool selected = window.selectRow(20);
        window.repaint();
        state.ResumeTiming();
        if (!selected) {
            state.SkipWithError("the row was not selected");
            break;
        }
        window.clickButton(ui::DlgMain::kRemoveButton);
        window.repaint();
        state.PauseTiming();
        if (window.dialog().assayList()->rowCount() != window.workspace(workloadOf(state)).assays - 1) {
            state.SkipWithError("the assay was not removed");
            break;
        }
        window.addAll();
        window.repaint();
        state.ResumeTiming();
    }
}

// The report (R): its own calculation, the document, the transformation and the file.
void BM_Report(benchmark::State& state)
{
    if (!prepare(state, workloadOf(state)))
        return;
    Window& window = Window::instance();
    for (auto _ : state) {
        window.dialogs().opened.clear();
        window.clickButton(ui::DlgMain::kReportButton);
        window.repaint();
        if (window.dialogs().opened.empty()) {
            state.SkipWithError(("no report: " + platform::utf16ToUtf8(window.dialogs().lastError)).c_str());
            return;
        }
        std::filesystem::remove(platform::utf16ToUtf8(window.dialogs().opened));
    }
}

// The report's parts on the document the window's own pass gives: the source document, the
// transformation any XSLT processor would do with it, and writing the result's bytes to the file.
// The report (R) is measured against the transformation alone.
struct ReportParts {
    host::ReportCalculation calculation;
    std::u16string sourceXml;
    std::string templatePath;
};

bool reportParts(benchmark::State& state, ReportParts& parts)
{
    if (!prepare(state, workloadOf(state)))
        return false;
    Window& window = Window::instance();
    parts.calculation = window.dialog().commands().workspace().calculateForReport();
    parts.sourceXml = buildSourceXml(window.dialog().commands().workspace().assays(), parts.calculation.result,
                                     parts.calculation.settings.hideNotFound);
    parts.templatePath = window.workspace(workloadOf(state)).publicFolder + "/Vantrel4/Templates/vexol/Report.xsl";
    return true;
}

void BM_ReportSourceDocument(benchmark::State& state)
{
    ReportParts parts;
    if (!reportParts(state, parts))
        return;
    const AssayMap& assays = Window::instance().dialog().commands().workspace().assays();
    std::size_t units = 0;
    for (auto _ : state) {
        const std::u16string text = buildSourceXml(assays, parts.calculation.result, parts.calculation.settings.hideNotFound);
        units = text.size();
        benchmark::DoNotOptimize(text.data());
    }
    state.counters["MB"] = static_cast<double>(units * sizeof(char16_t)) / 1e6;
}

void BM_ReportXsltAlone(benchmark::State& state)
{
    ReportParts parts;
    if (!reportParts(state, parts))
        return;
    std::size_t bytes = 0;
    for (auto _ : state) {
        std::string error;
        const std::string html = transformWithXslt(parts.sourceXml, parts.templatePath, error);
        if (html.empty()) {
            state.SkipWithError(error.c_str());
            return;
        }
        bytes = html.size();
    }
    state.counters["MB"] = static_cast<double>(bytes) / 1e6;
}

void BM_ReportWriteFile(benchmark::State& state)
{
    ReportParts parts;
    if (!reportParts(state, parts))
        return;
    std::string error;
    const std::string html = transformWithXslt(parts.sourceXml, parts.templatePath, error);
    if (html.empty()) {
        state.SkipWithError(error.c_str());
        return;
    }
    for (auto _ : state) {
        platform::FileError fileError;
        const std::u16string path = platform::createPrivateTempFile(u"vtl", u".html", html, fileError);
        if (path.empty()) {
            state.SkipWithError("the report file could not be written");
            return;
        }
        state.PauseTiming();
        std::filesystem::remove(platform::utf16ToUtf8(path));
        state.ResumeTiming();
    }
}

// The next component in the calibration tab.
void BM_NextComponent(benchmark::State& state)
{
    if (!prepare(state, workloadOf(state)))
        return;
    Window& window = Window::instance();
    window.showTab(ui::DlgMain::GradPage);
    window.repaint();
    QComboBox* combo = window.dialog().gradTab()->componentCombo();
    for (auto _ : state) {
        combo->setCurrentIndex((combo->currentIndex() + 1) % std::max(1, combo->count()));
        window.repaint();
    }
    window.showTab(0);
}

// Switching between the five tabs in turn.
void BM_TabSwitch(benchmark::State& state)
{
    if (!prepare(state, workloadOf(state)))
        return;
    Window& window = Window::instance();
    int tab = 0;
    for (auto _ : state) {
        tab = (tab + 1) % ui::DlgMain::TabCount;
        window.showTab(tab);
        window.repaint();
    }
    window.showTab(0);
}

// The calculation pass alone over the window's assays, with the component table read once.
void BM_Pass(benchmark::State& state)
{
    if (!prepare(state, workloadOf(state)))
        return;
    const AssayMap& assays = Window::instance().dialog().commands().workspace().assays();
    ComponentList components;
    ComponentTable::load(components);
    PluginSettings settings;
    settings.unitMode = 0;
    settings.devControl = true;
    std::size_t warnings = 0;
    for (auto _ : state) {
        MessageLog log;
        CalculationResult result = runCalculation(assays, components, settings, log);
        warnings = log.warnings().size();
        benchmark::DoNotOptimize(result);
    }
    state.counters["warnings"] = static_cast<double>(warnings);
}

// The floor the pass is measured against: every peak of every table read once.
void BM_TouchEveryPeak(benchmark::State& state)
{
    if (!prepare(state, workloadOf(state)))
        return;
    const AssayMap& assays = Window::instance().dialog().commands().workspace().assays();
    std::size_t peaks = 0;
    for (auto _ : state) {
        double sum = 0;
        peaks = 0;
        for (const auto& [id, record] : assays) {
            for (const Peak& peak : record.peaks)
                sum += peak.time + peak.area + static_cast<double>(peak.name.size());
            peaks += record.peaks.size();
            for (const auto& [channel, table] : record.channelPeaks) {
                for (const Peak& peak : table)
                    sum += peak.time + peak.area + static_cast<double>(peak.name.size());
                peaks += table.size();
            }
        }
        benchmark::DoNotOptimize(sum);
    }
    state.counters["peaks"] = static_cast<double>(peaks);
}

void registerAll()
{
    for (int workload : {FullCapacity, EveryRunWarns}) {
        const std::string suffix = workload == FullCapacity ? "/full" : "/warn_all";
        auto ms = [](benchmark::internal::Benchmark* b) { b->Unit(benchmark::kMillisecond)->UseRealTime(); };
        ms(benchmark::RegisterBenchmark(("BM_ReadAndParseFiles" + suffix).c_str(), BM_ReadAndParseFiles)
               ->Arg(workload)->Iterations(2));
        ms(benchmark::RegisterBenchmark(("BM_AddAll" + suffix).c_str(), BM_AddAll)->Arg(workload)->Iterations(2));
        for (int tab = 0; tab < ui::DlgMain::TabCount; ++tab)
            ms(benchmark::RegisterBenchmark(("BM_SelectRow" + suffix).c_str(), BM_SelectRow)->Args({workload, tab}));
        ms(benchmark::RegisterBenchmark(("BM_RemoveOne" + suffix).c_str(), BM_RemoveOne)->Arg(workload)->Iterations(5));
        ms(benchmark::RegisterBenchmark(("BM_Report" + suffix).c_str(), BM_Report)->Arg(workload));
        ms(benchmark::RegisterBenchmark(("BM_ReportSourceDocument" + suffix).c_str(), BM_ReportSourceDocument)->Arg(workload));
        ms(benchmark::RegisterBenchmark(("BM_ReportXsltAlone" + suffix).c_str(), BM_ReportXsltAlone)->Arg(workload));
        ms(benchmark::RegisterBenchmark(("BM_ReportWriteFile" + suffix).c_str(), BM_ReportWriteFile)->Arg(workload));
        ms(benchmark::RegisterBenchmark(("BM_NextComponent" + suffix).c_str(), BM_NextComponent)->Arg(workload));
        ms(benchmark::RegisterBenchmark(("BM_TabSwitch" + suffix).c_str(), BM_TabSwitch)->Arg(workload));
        ms(benchmark::RegisterBenchmark(("BM_Pass" + suffix).c_str(), BM_Pass)->Arg(workload));
        ms(benchmark::RegisterBenchmark(("BM_TouchEveryPeak" + suffix).c_str(), BM_TouchEveryPeak)->Arg(workload));
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication application(argc, argv);
    registerAll();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    Window::destroy();
    return 0;
}
