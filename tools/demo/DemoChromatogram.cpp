#include "DemoChromatogram.h"

#include "platform/Format.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace {

struct PlannedPeak {
    double time = 0;      // minutes
    double area = 0;      // µV·s
    double sigma = 0;     // minutes
    double concent = 0;
    std::u16string name;
    bool reference = false;
};

// Peaks broaden as they elute later; the matrix peak is broad because it is large.
double sigmaAt(double time)
{
    return 0.011 + 0.0016 * time;
}

double baselineAt(int channel, double minutes)
{
    return (channel == 1 ? 152.0 : 87.0) + 1.6 * minutes + 3.0 * std::sin(minutes / 2.3);
}

std::vector<PlannedPeak> planPeaks(const DemoPlan& plan, int runIndex, int channel, std::mt19937& random)
{
    const DemoRun& run = plan.runs[static_cast<std::size_t>(runIndex)];
    std::normal_distribution<double> timeJitter(0.0, 0.0025);
    std::normal_distribution<double> areaScatter(1.0, plan.areaScatter);
    std::vector<PlannedPeak> peaks;
    const std::vector<DemoCompound>& compounds = plan.compounds;
    for (std::size_t c = 0; c < compounds.size(); ++c) {
        const DemoCompound& compound = compounds[c];
        double concentration = 0;
        if (!run.calibration)
            concentration = compound.sample;
        else if (!compound.levels.empty())
            concentration = compound.levels[static_cast<std::size_t>(run.level) % compound.levels.size()];
        PlannedPeak peak;
        peak.name = compound.name;
        peak.time = (channel == 1 ? compound.time1 : compound.time2) + timeJitter(random);
        if (compound.response == 0) {
            // The matrix: ethanol at 40 % by volume, the same in standards and sample.
            peak.area = 2.6e5 * areaScatter(random);
            peak.sigma = 0.034;
            peak.reference = true;
        } else {
            if (concentration <= 0)
                continue;
            peak.area = compound.response * concentration * areaScatter(random);
            if (channel == 2)
                peak.area *= compound.response2Ratio;
            peak.sigma = sigmaAt(peak.time);
            peak.concent = run.calibration ? concentration : 0;
        }
        if (channel == 2 && runIndex == plan.deviationRun && static_cast<int>(c) == plan.deviationCompound)
            peak.area *= 1.25;
        if (channel == 2 && runIndex == plan.driftRun && static_cast<int>(c) == plan.driftCompound)
            peak.time += 0.30;
        peaks.push_back(peak);
    }
    for (const auto& [time, area] : plan.impurities[channel - 1]) {
        PlannedPeak peak;
        peak.time = time + timeJitter(random);
        peak.area = area * areaScatter(random);
        peak.sigma = sigmaAt(peak.time);
        peaks.push_back(peak);
    }
    std::sort(peaks.begin(), peaks.end(), [](const PlannedPeak& a, const PlannedPeak& b) { return a.time < b.time; });
    return peaks;
}

int sampleIndexAt(double minutes)
{
    return static_cast<int>(std::lround(minutes * 60.0 / DemoChromatogram::sampleSeconds));
}

Channel makeChannel(int channelNumber, double runMinutes, const std::vector<PlannedPeak>& planned,
                    std::mt19937& random)
{
    const int count = sampleIndexAt(runMinutes);
    std::vector<double> signal(static_cast<std::size_t>(count));
    std::normal_distribution<double> noise(0.0, 1.4);
    for (int i = 0; i < count; ++i)
        signal[static_cast<std::size_t>(i)] = baselineAt(channelNumber, i * DemoChromatogram::sampleSeconds / 60.0) + noise(random);

    Channel channel;
    channel.number = channelNumber;
    channel.signal.valueA = DemoChromatogram::sampleSeconds;
    channel.signal.valueB = 1.0;  // µV per count
    for (const PlannedPeak& p : planned) {
        const double sigmaSeconds = p.sigma * 60.0;
        const double height = p.area / (sigmaSeconds * std::sqrt(2.0 * std::numbers::pi));
        const double front = p.time - 3.5 * p.sigma;
        const double back = p.time + 3.5 * p.sigma;
        for (int i = std::max(0, sampleIndexAt(front) - 20); i < std::min(count, sampleIndexAt(back) + 20); ++i) {
            double z = (i * DemoChromatogram::sampleSeconds / 60.0 - p.time) / p.sigma;
            signal[static_cast<std::size_t>(i)] += height * std::exp(-0.5 * z * z);
        }
        Peak peak;
        peak.front = front;
        peak.back = back;
        peak.time = p.time;
        peak.area = p.area;
        peak.height = height;
        peak.concent = p.concent;
        peak.name = p.name;
        peak.reference = p.reference;
        peak.left = sampleIndexAt(front);
        peak.right = sampleIndexAt(back);
        peak.front_base_height = baselineAt(channelNumber, front);
        peak.back_base_height = baselineAt(channelNumber, back);
        channel.peaks.push_back(peak);
    }
    channel.signal.samples.resize(signal.size());
    for (std::size_t i = 0; i < signal.size(); ++i)
        channel.signal.samples[i] = static_cast<uint32_t>(std::lround(std::max(0.0, signal[i])));
    return channel;
}

ColumnDescription column(int channel, const char16_t* name, const char16_t* phase, double length, double film)
{
    ColumnDescription c;
    c.channel = channel;
    c.name = name;
    c.brand = u"Agilent J&W";
    c.type = 1;
    c.diameter = 0.32;
    c.length = length;
    c.carrier = u"Азот";
    c.phase = phase;
    c.percent = 100;
    c.unit = 0;
    c.film = film;
    c.part = channel == 1 ? u"19091F-115" : u"123-1063";
    c.serial = platform::format(u"US%d", {20240 + channel});
    return c;
}

} // namespace

CVantrelFile4 DemoChromatogram::make(int runIndex, int64_t date, std::mt19937& random)
{
    static const DemoPlan builtIn = DemoPlan::builtIn();
    return make(builtIn, runIndex, date, random);
}

CVantrelFile4 DemoChromatogram::make(const DemoPlan& plan, int runIndex, int64_t date, std::mt19937& random)
{
    const DemoRun& run = plan.runs[static_cast<std::size_t>(runIndex)];
    CVantrelFile4 file;
    Passport& p = file.passport;
    p.assayid = platform::format(u"5d0c8a3e-7b41-4e2a-9c16-%012d", {runIndex + 1});
    p.series = u"Демонстрация";
    p.andate = date;
    p.duration = plan.runMinutes;
    p.sample = run.sample;
    p.method = u"ГОСТ 30536-2013, летучие примеси";
    p.graduation = run.calibration;
    p.date = date;
    p.mixture = run.mixture;
    p.columns.push_back(column(1, u"HP-FFAP", u"FFAP", 50, 0.5));
    p.columns.push_back(column(2, u"DB-1", u"100% диметилполисилоксан", 60, 1.0));
    p.parameters.push_back({u"volume", u"Объём пробы, мкл", u"1.0"});
    p.parameters.push_back({u"operator", u"Оператор", u"Иванова Е. А."});
    for (int channel : {1, 2})
        file.channels.push_back(makeChannel(channel, plan.runMinutes, planPeaks(plan, runIndex, channel, random), random));
    return file;
}
