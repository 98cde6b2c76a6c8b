// Importing many ANDI files with large peak tables, and integrating one long raw signal.
#include "AndiImporter.h"
#include "PeakIntegrator.h"

#include <benchmark/benchmark.h>
#include <netcdf.h>

#include <cmath>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr int fileCount = 256;
constexpr std::size_t peakCount = 1000;
constexpr std::size_t pointCount = 6000;

// One export with a 1000-peak table and a short raw signal, as a vendor writes it.
void writeAndi(const std::string& path, int index)
{
    int file = -1;
    nc_create(path.c_str(), NC_CLOBBER, &file);
    nc_set_fill(file, NC_NOFILL, nullptr);
    const std::string sample = "Sample " + std::to_string(index);
    nc_put_att_text(file, NC_GLOBAL, "aia_template_revision", 3, "1.0");
    nc_put_att_text(file, NC_GLOBAL, "retention_unit", 7, "seconds");
    nc_put_att_text(file, NC_GLOBAL, "sample_name", sample.size(), sample.data());
    nc_put_att_text(file, NC_GLOBAL, "injection_date_time_stamp", 19, "20240312083000+0000");
    int points = -1, peaks = -1, width = -1;
    nc_def_dim(file, "point_number", pointCount, &points);
    nc_def_dim(file, "peak_number", peakCount, &peaks);
    nc_def_dim(file, "_32_byte_string", 32, &width);
    int ordinate = -1, interval = -1, times = -1, areas = -1, heights = -1, amounts = -1, names = -1;
    nc_def_var(file, "ordinate_values", NC_FLOAT, 1, &points, &ordinate);
    nc_def_var(file, "actual_sampling_interval", NC_FLOAT, 0, nullptr, &interval);
    nc_def_var(file, "peak_retention_time", NC_FLOAT, 1, &peaks, &times);
    nc_def_var(file, "peak_area", NC_FLOAT, 1, &peaks, &areas);
    nc_def_var(file, "peak_height", NC_FLOAT, 1, &peaks, &heights);
    nc_def_var(file, "peak_amount", NC_FLOAT, 1, &peaks, &amounts);
    int nameDims[2] = {peaks, width};
    nc_def_var(file, "peak_name", NC_CHAR, 2, nameDims, &names);
    nc_enddef(file);
    std::vector<float> signal(pointCount), t(peakCount), a(peakCount), h(peakCount), m(peakCount);
    for (std::size_t i = 0; i < pointCount; ++i)
        signal[i] = static_cast<float>(100 + std::sin(static_cast<double>(i) / 50));
    std::string text(peakCount * 32, '\0');
    for (std::size_t p = 0; p < peakCount; ++p) {
        t[p] = static_cast<float>(2 + p * 1.5);
        a[p] = static_cast<float>(1000 + p);
        h[p] = static_cast<float>(100 + p);
        m[p] = static_cast<float>(p % 7);
        const std::string name = "Component " + std::to_string(p);
        text.replace(p * 32, name.size(), name);
    }
    const float step = 0.25f;
    nc_put_var_float(file, ordinate, signal.data());
    nc_put_var_float(file, interval, &step);
    nc_put_var_float(file, times, t.data());
    nc_put_var_float(file, areas, a.data());
    nc_put_var_float(file, heights, h.data());
    nc_put_var_float(file, amounts, m.data());
    nc_put_var_text(file, names, text.data());
    nc_close(file);
}

void BM_Import256FilesWith1000Peaks(benchmark::State& state)
{
    const fs::path root = fs::temp_directory_path() / ("vexol-import-bench-" + std::to_string(::getpid()));
    fs::create_directories(root / "in");
    std::vector<std::string> inputs;
    for (int i = 0; i < fileCount; ++i) {
        inputs.push_back((root / "in" / ("run" + std::to_string(i) + ".cdf")).string());
        writeAndi(inputs.back(), i);
    }
    int round = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const fs::path out = root / ("out" + std::to_string(round++));
        fs::create_directories(out);
        ImportOptions options;
        options.database = (out / "host.db").string();
        state.ResumeTiming();
        AndiImporter importer(options);
        std::vector<ImportOutcome> outcomes = importer.importAll(inputs);
        if (outcomes.size() != static_cast<std::size_t>(fileCount) || !outcomes.back().imported())
            state.SkipWithError("an import failed");
        benchmark::DoNotOptimize(outcomes.data());
        state.PauseTiming();
        fs::remove_all(out);
        state.ResumeTiming();
    }
    fs::remove_all(root);
}
// The importer builds the next chromatogram on a second thread: CPU counts every thread.
BENCHMARK(BM_Import256FilesWith1000Peaks)->Unit(benchmark::kMillisecond)->Iterations(3)->MeasureProcessCPUTime();

void BM_Integrate360000Points(benchmark::State& state)
{
    constexpr std::size_t n = 360000;
    const double interval = 0.1 / 60;  // 10 Hz for an hour
    std::vector<double> times(n), values(n);
    std::mt19937 random(5);
    std::normal_distribution<double> noise(0, 0.5);
    for (std::size_t i = 0; i < n; ++i) {
        times[i] = static_cast<double>(i) * interval;
        double y = 50 + 0.2 * times[i] + noise(random);
        for (int p = 0; p < 60; ++p) {
            const double z = (times[i] - (0.5 + p * 0.98)) / 0.03;
            if (std::fabs(z) < 8)
                y += (200 + 10 * p) * std::exp(-0.5 * z * z);
        }
        values[i] = y;
    }
    std::size_t found = 0;
    for (auto _ : state) {
        std::vector<Peak> peaks = PeakIntegrator().integrate(times, values);
        found = peaks.size();
        benchmark::DoNotOptimize(peaks.data());
    }
    state.counters["peaks"] = static_cast<double>(found);
}
BENCHMARK(BM_Integrate360000Points)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
