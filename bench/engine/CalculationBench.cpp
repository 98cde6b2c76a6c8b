// Speed of one calculation pass over a synthetic workspace, against a baseline that only touches
// every peak once. Every selection in the main window runs a whole pass, so it must stay far below
// what a person notices.
#include <benchmark/benchmark.h>

#include <random>
#include <string>

#include "engine/Calculation.h"
#include "engine/MessageLog.h"

namespace {

struct Workspace {
    AssayMap assays;
    ComponentList components;
};

std::u16string componentName(int i)
{
    // Half Cyrillic, half Latin; some with a blank inside.
    std::u16string base = i % 2 == 0 ? u"Компонент" : u"Component";
    if (i % 5 == 0)
        base += u" смесь";
    return base + u"-" + std::u16string(1, char16_t(u'А' + i % 32)) + std::u16string(1, char16_t(u'0' + i / 32 % 10)) +
           std::u16string(1, char16_t(u'0' + i / 320 % 10));
}

// The name as a host might have written it on a peak: other letter case, blanks around it.
std::u16string peakSpelling(const std::u16string& name, std::mt19937& random)
{
    std::u16string spelled = name;
    for (char16_t& c : spelled) {
        if (random() % 2 == 0)
            continue;
        if (c >= u'a' && c <= u'z')
            c = char16_t(c - 0x20);
        else if (c >= u'а' && c <= u'я')
            c = char16_t(c - 0x20);
    }
    if (random() % 4 == 0)
        spelled = u" " + spelled + u"  ";
    return spelled;
}

// A channel table of `peakCount` peaks in ascending time: every component's peak near its time,
// the rest unnamed or named like nothing in the table.
PeakList channelTable(const ComponentList& components, int channel, int peakCount, double concentration,
                      std::mt19937& random)
{
    PeakList table;
    table.reserve(static_cast<std::size_t>(peakCount));
    const int named = std::min<int>(peakCount, static_cast<int>(components.size()));
    const double span = 60.0;
    for (int p = 0; p < peakCount; ++p) {
        Peak peak;
        peak.time = span * (p + 1) / (peakCount + 1) + (random() % 100) * 1e-5;
        peak.front = peak.time - 0.02;
        peak.back = peak.time + 0.03;
        peak.area = 1000 + random() % 5000;
        peak.height = peak.area / 10;
        if (p % (peakCount / named) == 0 && p / (peakCount / named) < named) {
            int c = p / (peakCount / named);
            peak.name = peakSpelling(components[static_cast<std::size_t>(c)].name, random);
            peak.concent = concentration;
            // The channels' responses agree within the components' deviation limit.
            peak.area = 500 * concentration + 37 * c + (channel == 2 ? 20 : 0) + random() % 10;
        } else if (p % 3 == 0) {
            peak.name = u"Примесь " + std::u16string(1, char16_t(u'а' + p % 32));
        }
        table.push_back(std::move(peak));
    }
    return table;
}

Workspace makeWorkspace(int componentCount, int calibrationCount, int peakCount)
{
    std::mt19937 random(12345);
    Workspace w;
    const int named = std::min(peakCount, componentCount);
    for (int i = 0; i < componentCount; ++i) {
        Component c;
        c.number = i + 1;
        c.name = componentName(i);
        c.altName = i % 7 == 0 ? u"alt " + componentName(i) : u"-";
        // The component's peak sits at its slot in every table.
        const int slot = i < named ? i * (peakCount / named) : 0;
        c.time1 = 60.0 * (slot + 1) / (peakCount + 1);
        c.time2 = c.time1;
        c.window1 = 2;
        c.window2 = 2;
        c.mainChannel = i % 3 == 0 ? 0 : 1 + i % 2;
        c.deviation = 10;
        w.components.push_back(std::move(c));
    }
    int id = 1;
    for (int k = 0; k < calibrationCount; ++k) {
        AssayRecord a;
        a.fileName = u"/data/calibration" + std::u16string(1, char16_t(u'A' + k % 26)) + u".dat";
        a.isCalibration = true;
        const double concentration = 1 + k % 5;
        a.channelPeaks[1] = channelTable(w.components, 1, peakCount, concentration, random);
        a.channelPeaks[2] = channelTable(w.components, 2, peakCount, concentration, random);
        w.assays[id++] = std::move(a);
    }
    for (int k = 0; k < 2; ++k) {
        AssayRecord a;
        a.fileName = u"/data/analysis.dat";
        a.peaks = channelTable(w.components, 1, peakCount, 0, random);
        a.channelPeaks[1] = a.peaks;
        a.channelPeaks[2] = channelTable(w.components, 2, peakCount, 0, random);
        w.assays[id++] = std::move(a);
    }
    return w;
}

void calculationPass(benchmark::State& state)
{
    const Workspace w = makeWorkspace(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)),
                                      static_cast<int>(state.range(2)));
    PluginSettings settings;
    settings.devControl = true;
    for (auto _ : state) {
        MessageLog log;
        CalculationResult result = runCalculation(w.assays, w.components, settings, log);
        benchmark::DoNotOptimize(result);
    }
}

// Reads every peak of the workspace once: its area and its name.
void touchEveryPeak(benchmark::State& state)
{
    const Workspace w = makeWorkspace(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)),
                                      static_cast<int>(state.range(2)));
    for (auto _ : state) {
        double sum = 0;
        for (const auto& [id, assay] : w.assays) {
            for (const Peak& peak : assay.peaks)
                sum += peak.area + static_cast<double>(peak.name.size());
            for (const auto& [channel, table] : assay.channelPeaks)
                for (const Peak& peak : table)
                    sum += peak.area + static_cast<double>(peak.name.size());
        }
        benchmark::DoNotOptimize(sum);
    }
}

void sizes(benchmark::internal::Benchmark* b)
{
    b->Args({100, 50, 500});   // the target size
    b->Args({50, 25, 250});
    b->Args({100, 100, 1000});
    b->Args({200, 100, 1000});
    b->Unit(benchmark::kMicrosecond);
}

} // namespace

BENCHMARK(calculationPass)->Apply(sizes);
BENCHMARK(touchEveryPeak)->Apply(sizes);

BENCHMARK_MAIN();
