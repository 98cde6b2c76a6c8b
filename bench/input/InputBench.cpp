// Reading speed of the two inputs of an assay: a large chromatogram file (two channels of 440,000
// samples and 500 peaks each, about 4 MiB), and the assay query against a host database of 10,000
// assays with 300 peaks each.
#include "input/AssayLoader.h"
#include "input/CVantrelFile4.h"
#include "input/HostSchema.h"
#include "platform/Format.h"
#include "platform/Paths.h"
#include "platform/Text.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

std::string benchFolder()
{
    static const std::string folder = [] {
        std::string path = (std::filesystem::temp_directory_path() / "vexol-input-bench").string();
        std::filesystem::create_directories(path);
        return path;
    }();
    return folder;
}

CVantrelFile4 largeChromatogram()
{
    CVantrelFile4 file;
    file.passport.sample = u"Проба";
    file.passport.parameters.push_back({u"volume", u"Объём", u"1.0"});
    for (int number : {1, 2}) {
        Channel channel;
        channel.number = number;
        channel.signal.samples.resize(440000);
        for (std::size_t i = 0; i < channel.signal.samples.size(); ++i)
            channel.signal.samples[i] = static_cast<uint32_t>(1000 + (i * 7919) % 5000);
        for (int p = 0; p < 500; ++p) {
            Peak peak;
            peak.time = 0.05 * p + 0.0123456789;
            peak.front = peak.time - 0.0213;
            peak.back = peak.time + 0.0187;
            peak.area = 1234.56789 * (p + 1);
            peak.height = 98.7654321 * (p + 1);
            peak.concent = 0.1 * p;
            peak.name = p % 10 == 0 ? u"метанол" : u"";
            peak.left = p * 880;
            peak.right = p * 880 + 40;
            peak.front_base_height = 1.0 / (p + 3);
            peak.back_base_height = 1.0 / (p + 7);
            peak.index = 700.5 + p;
            channel.peaks.push_back(peak);
        }
        file.channels.push_back(std::move(channel));
    }
    return file;
}

// Written once per run of the program, not once per repetition.
std::u16string largeFile()
{
    std::u16string path = platform::utf8ToUtf16(benchFolder() + "/large.stg");
    CVantrelFile4 source = largeChromatogram();
    return source.save(path) == 0 ? path : std::u16string();
}

void loadLargeFile(benchmark::State& state)
{
    static const std::u16string path = largeFile();
    if (path.empty()) {
        state.SkipWithError("could not write the file");
        return;
    }
    for (auto _ : state) {
        CVantrelFile4 file;
        int32_t result = file.load(path);
        benchmark::DoNotOptimize(result);
        if (result != 0)
            state.SkipWithError("load failed");
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(std::filesystem::file_size(platform::nativePath(path))));
}
BENCHMARK(loadLargeFile)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// 10,000 assays of 300 peaks, made once per run; the assays all name one small file.
std::u16string demoDatabase()
{
    const std::string path = benchFolder() + "/host.db";
    const std::u16string path16 = platform::utf8ToUtf16(path);
    std::filesystem::remove(path);
    CVantrelFile4 small;
    small.channels.resize(2);
    small.channels[0].number = 1;
    small.channels[1].number = 2;
    small.channels[0].peaks.resize(10);
    const std::u16string filePath = platform::utf8ToUtf16(benchFolder() + "/small.stg");
    small.save(filePath);

    DataBase::Connection connection(path16.c_str());
    HostSchema::create(connection.handle());
    HostSchema::execute(connection.handle(), "BEGIN;");
    for (int a = 1; a <= 10000; ++a) {
        HostAssayRow row;
        row.fileName = filePath;
        row.sample = platform::format(u"Проба %d", {a});
        row.date = 1700000000 + a;
        row.isCalibration = a % 3 == 0;
        int64_t id = HostSchema::insertAssay(connection.handle(), row);
        for (int p = 0; p < 300; ++p)
            HostSchema::insertPeak(connection.handle(),
                                   {id, p % 5 == 0 ? u"этанол" : u"", 30.0 - 0.1 * p, 100.0 * p});
    }
    HostSchema::execute(connection.handle(), "COMMIT;");
    return path16;
}

void loadAssayFromDemoDatabase(benchmark::State& state)
{
    static const std::u16string path = demoDatabase();
    DataBase::Connection connection(path.c_str());
    int32_t id = 1;
    for (auto _ : state) {
        std::optional<AssayRecord> record = loadAssay(connection, id);
        if (!record || record->peaks.size() != 300)
            state.SkipWithError("assay not loaded");
        benchmark::DoNotOptimize(record);
        id = id % 10000 + 1;
    }
}
BENCHMARK(loadAssayFromDemoDatabase)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace

BENCHMARK_MAIN();
