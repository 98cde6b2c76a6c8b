// The integrator measured on synthetic signals: Gaussian and tailing peaks on a drifting baseline
// with white noise at a signal-to-noise ratio of 100.
#include "AndiTestFile.h"
#include "PeakIntegrator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// About 8 points per second: 15 to 20 points per standard deviation of a peak, as detectors
// sample narrow peaks.
constexpr double interval = 0.002;       // minutes per point (0.12 s)
constexpr std::size_t points = 8000;     // 16 minutes
constexpr double baseline = 100;
constexpr double drift = 6;              // signal units per minute

std::vector<double> timeAxis()
{
    std::vector<double> t(points);
    for (std::size_t i = 0; i < points; ++i)
        t[i] = static_cast<double>(i) * interval;
    return t;
}

// Apex time and height of the noise-free peak, found on a fine grid.
std::pair<double, double> trueApex(const SyntheticPeak& p)
{
    const double step = interval / 200;
    const std::size_t n = static_cast<std::size_t>(20 * (p.sigma + p.tau) / step);
    const std::vector<double> fine = syntheticSignal({{p.sigma * 5 + p.tau * 5, p.area, p.sigma, p.tau}}, n, step, 0, 0, 0, 1);
    const std::size_t top = static_cast<std::size_t>(std::max_element(fine.begin(), fine.end()) - fine.begin());
    return {p.time - (p.sigma * 5 + p.tau * 5) + static_cast<double>(top) * step, fine[top]};
}

double noiseForSnr100(const std::vector<SyntheticPeak>& peaks)
{
    double lowest = INFINITY;
    for (const SyntheticPeak& p : peaks)
        lowest = std::min(lowest, trueApex(p).second);
    return lowest / 100;
}

const Peak* nearest(const std::vector<Peak>& found, double time)
{
    const Peak* best = nullptr;
    for (const Peak& p : found)
        if (!best || std::fabs(p.time - time) < std::fabs(best->time - time))
            best = &p;
    return best;
}

TEST(PeakIntegrator, BaselineResolvedPeaksWithinOnePercentAndOneInterval)
{
    // Gaussian and tailing peaks; the pair at 6 minutes is resolved at exactly 1.5.
    const std::vector<SyntheticPeak> peaks = {
        {2.0, 3000, 0.040, 0},
        {3.5, 1500, 0.040, 0},
        {6.0, 2500, 0.040, 0},
        {6.24, 2500, 0.040, 0},         // resolution (6.24 - 6.0) / (4 · 0.04) = 1.5
        {9.0, 4000, 0.035, 0.035},      // tailing
        {12.0, 2000, 0.040, 0.080},     // strongly tailing
        {14.5, 1000, 0.040, 0},
    };
    const double noise = noiseForSnr100(peaks);
    for (unsigned seed = 1; seed <= 5; ++seed) {
        const std::vector<double> y = syntheticSignal(peaks, points, interval, baseline, drift, noise, seed);
        const std::vector<Peak> found = PeakIntegrator().integrate(timeAxis(), y);
        EXPECT_EQ(found.size(), peaks.size()) << "seed " << seed;
        for (const SyntheticPeak& p : peaks) {
            const auto [apexTime, height] = trueApex(p);
            const Peak* match = nearest(found, apexTime);
            ASSERT_NE(match, nullptr);
            EXPECT_NEAR(match->area, p.area, 0.01 * p.area) << "peak at " << p.time << ", seed " << seed;
            EXPECT_NEAR(match->time, apexTime, interval) << "peak at " << p.time << ", seed " << seed;
            EXPECT_TRUE(match->name.empty());
            EXPECT_LT(match->front, match->time);
            EXPECT_GT(match->back, match->time);
        }
    }
}

TEST(PeakIntegrator, PartlyResolvedPairsWithinFivePercent)
{
    struct Pair {
        double resolution;
        double secondArea;   // the first has 3000
        double tau;
    };
    const Pair pairs[] = {{0.8, 3000, 0}, {1.0, 3000, 0}, {1.2, 2000, 0}, {1.4, 1500, 0}, {1.0, 2000, 0}, {1.2, 3000, 0.01}};
    const double sigma = 0.04;
    for (const Pair& pair : pairs) {
        const double second = 5.0 + pair.resolution * 4 * sigma;
        const std::vector<SyntheticPeak> peaks = {{5.0, 3000, sigma, pair.tau}, {second, pair.secondArea, sigma, pair.tau}};
        const double noise = noiseForSnr100(peaks);
        for (unsigned seed = 1; seed <= 3; ++seed) {
            const std::vector<double> y = syntheticSignal(peaks, points, interval, baseline, drift, noise, seed);
            const std::vector<Peak> found = PeakIntegrator().integrate(timeAxis(), y);
            ASSERT_EQ(found.size(), 2u) << "resolution " << pair.resolution << ", seed " << seed;
            EXPECT_NEAR(found[0].area, 3000, 0.05 * 3000) << "resolution " << pair.resolution;
            EXPECT_NEAR(found[1].area, pair.secondArea, 0.05 * pair.secondArea) << "resolution " << pair.resolution;
            // Perpendicular drop: the two share the valley point.
            EXPECT_EQ(found[0].right, found[1].left);
        }
    }
}

TEST(PeakIntegrator, NoiseAloneGivesNoPeaks)
{
    for (unsigned seed = 1; seed <= 10; ++seed) {
        const std::vector<double> y = syntheticSignal({}, points, interval, baseline, drift, 0.5, seed);
        const std::vector<Peak> found = PeakIntegrator().integrate(timeAxis(), y);
        EXPECT_TRUE(found.empty()) << "seed " << seed << ": " << found.size() << " peaks, the first at "
                                   << (found.empty() ? 0.0 : found[0].time);
    }
}

TEST(PeakIntegrator, OptionsChangeWhatIsReported)
{
    const std::vector<SyntheticPeak> peaks = {{3.0, 3000, 0.04, 0}, {8.0, 60, 0.04, 0}};
    const double noise = noiseForSnr100(peaks) / 10;
    const std::vector<double> y = syntheticSignal(peaks, points, interval, baseline, drift, noise, 7);
    EXPECT_EQ(PeakIntegrator().integrate(timeAxis(), y).size(), 2u);

    IntegrationOptions byArea;
    byArea.minArea = 500;
    std::vector<Peak> found = PeakIntegrator(byArea).integrate(timeAxis(), y);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_NEAR(found[0].time, 3.0, interval);

    IntegrationOptions byHeight;
    byHeight.minHeight = trueApex(peaks[1]).second * 2;
    EXPECT_EQ(PeakIntegrator(byHeight).integrate(timeAxis(), y).size(), 1u);

    // Valley to valley on a fused pair: the second peak loses what lies under the valley line.
    const std::vector<SyntheticPeak> pair = {{5.0, 3000, 0.04, 0}, {5.16, 3000, 0.04, 0}};
    const std::vector<double> fused = syntheticSignal(pair, points, interval, baseline, 0, 0.5, 3);
    IntegrationOptions valley;
    valley.baseline = BaselineMode::Valley;
    const std::vector<Peak> dropped = PeakIntegrator().integrate(timeAxis(), fused);
    const std::vector<Peak> valleyed = PeakIntegrator(valley).integrate(timeAxis(), fused);
    ASSERT_EQ(dropped.size(), 2u);
    ASSERT_EQ(valleyed.size(), 2u);
    EXPECT_LT(valleyed[0].area + valleyed[1].area, 0.9 * (dropped[0].area + dropped[1].area));
}

TEST(PeakIntegrator, DegenerateSignals)
{
    EXPECT_TRUE(PeakIntegrator().integrate({}, {}).empty());
    EXPECT_TRUE(PeakIntegrator().integrate({0, 1, 2}, {1, 5, 1}).empty());
    const std::vector<double> t = timeAxis();
    EXPECT_TRUE(PeakIntegrator().integrate(t, std::vector<double>(points, 42.0)).empty());
    // A noise-free peak on a flat line is still found and measured.
    const std::vector<double> clean = syntheticSignal({{4.0, 1000, 0.04, 0}}, points, interval, 10, 0, 0, 1);
    const std::vector<Peak> found = PeakIntegrator().integrate(t, clean);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_NEAR(found[0].area, 1000, 1);
}

} // namespace
