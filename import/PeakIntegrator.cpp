#include "PeakIntegrator.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace {

// Standard deviation of normal noise per unit of median absolute deviation.
constexpr double madToSigma = 1.4826;
// How far a peak reaches beyond its apex, in standard deviations of its front and its tail.
// Tails are given more room: real peaks tail far more often than they front.
constexpr double frontReach = 4.5;
constexpr double tailReach = 7.0;
// Medians of long signals are taken over an even sample of this many points at most.
constexpr std::size_t medianSample = 20000;

// The median of n values given by `at`; long runs through an even sample.
template <typename At>
double medianOf(std::size_t n, At at)
{
    if (n == 0)
        return 0;
    const std::size_t stride = n > medianSample ? n / medianSample : 1;
    std::vector<double> sample;
    sample.reserve(n / stride + 1);
    for (std::size_t i = 0; i < n; i += stride)
        sample.push_back(at(i));
    auto middle = sample.begin() + static_cast<std::ptrdiff_t>(sample.size() / 2);
    std::nth_element(sample.begin(), middle, sample.end());
    return *middle;
}

// Median absolute deviation from the median, scaled to a standard deviation.
template <typename At>
double robustSigmaOf(std::size_t n, At at)
{
    const double centre = medianOf(n, at);
    return madToSigma * medianOf(n, [&](std::size_t i) { return std::fabs(at(i) - centre); });
}

// The scatter of n values where the signal is quietest. Peaks can cover most of a busy
// chromatogram (a gasoline run is peaks from end to end), so a median over the whole run would take
// peak flanks for noise; instead the run is cut into stretches, the scatter of each is measured
// robustly, and a low quantile of those is taken. Stretches without any scatter (a quantised,
// perfectly flat start) are passed over.
template <typename At>
double quietSigma(std::size_t n, At at)
{
    // A hundred stretches of at most 512 points, spread over the run, measure a long signal well
    // enough and keep the cost independent of its length.
    const std::size_t stretch = std::clamp<std::size_t>(n / 50, 64, 512);
    const std::size_t stride = stretch * std::max<std::size_t>(1, n / stretch / 100);
    std::vector<double> sigmas;
    for (std::size_t from = 0; from + stretch / 2 <= n; from += stride) {
        const std::size_t length = std::min(n, from + stretch) - from;
        const double sigma = robustSigmaOf(length, [&](std::size_t i) { return at(from + i); });
        if (sigma > 0)
            sigmas.push_back(sigma);
    }
    if (sigmas.empty())
        return robustSigmaOf(n, at);
    auto quantile = sigmas.begin() + static_cast<std::ptrdiff_t>(sigmas.size() / 5);
    std::nth_element(sigmas.begin(), quantile, sigmas.end());
    return *quantile;
}

std::vector<double> movingAverage(const std::vector<double>& values, int width)
{
    const std::size_t n = values.size();
    std::vector<double> smoothed(n);
    const std::size_t half = std::min(static_cast<std::size_t>(width / 2), n / 2);
    // The window shrinks symmetrically at the ends, so that it never shifts a peak.
    auto direct = [&](std::size_t i) {
        const std::size_t reach = std::min({half, i, n - 1 - i});
        double sum = 0;
        for (std::size_t k = i - reach; k <= i + reach; ++k)
            sum += values[k];
        return sum / static_cast<double>(2 * reach + 1);
    };
    if (n < 2 * half + 1) {
        for (std::size_t i = 0; i < n; ++i)
            smoothed[i] = direct(i);
        return smoothed;
    }
    for (std::size_t i = 0; i < half; ++i) {
        smoothed[i] = direct(i);
        smoothed[n - 1 - i] = direct(n - 1 - i);
    }
    double sum = 0;
    for (std::size_t k = 0; k <= 2 * half; ++k)
        sum += values[k];
    const double count = static_cast<double>(2 * half + 1);
    for (std::size_t i = half; i + half < n; ++i) {
        smoothed[i] = sum / count;
        if (i + half + 1 < n)
            sum += values[i + half + 1] - values[i - half];
    }
    return smoothed;
}

int oddAtLeast3(double width)
{
    int w = static_cast<int>(std::lround(width));
    if (w < 3)
        w = 3;
    if (w % 2 == 0)
        ++w;
    return std::min(w, 101);
}

// A quarter of the half-height width of the tallest peak: smooth enough to calm the slope,
// narrow enough to leave the peak's shape alone.
int chooseSmoothing(const std::vector<double>& values, double noise)
{
    const std::size_t n = values.size();
    auto light = [&](std::size_t i) { return i == 0 || i + 1 == n ? values[i] : (values[i - 1] + values[i] + values[i + 1]) / 3; };
    const double level = medianOf(n, light);
    std::size_t top = 0;
    for (std::size_t i = 1; i < n; ++i)
        if (light(i) > light(top))
            top = i;
    if (light(top) - level < 10 * noise)
        return 5;
    const double half = (light(top) + level) / 2;
    std::size_t left = top, right = top;
    while (left > 0 && light(left) > half)
        --left;
    while (right + 1 < n && light(right) > half)
        ++right;
    return oddAtLeast3(static_cast<double>(right - left) / 4.0);
}

struct Candidate {
    std::size_t riseStart = 0;
    std::size_t apex = 0;
    std::size_t start = 0;
    std::size_t end = 0;
};

// Apexes where the slope rises steeply, turns, and falls steeply.
std::vector<Candidate> findApexes(const std::vector<double>& smoothed, double threshold, double slopeOffset)
{
    enum class State { Idle, Rising, Falling };
    std::vector<Candidate> found;
    State state = State::Idle;
    Candidate current;
    bool sawFall = false;
    const std::size_t n = smoothed.size();
    for (std::size_t i = 1; i + 1 < n; ++i) {
        const double slope = (smoothed[i + 1] - smoothed[i - 1]) / 2 - slopeOffset;
        switch (state) {
        case State::Idle:
            if (slope > threshold) {
                current = {i, i, 0, 0};
                state = State::Rising;
            }
            break;
        case State::Rising:
            if (smoothed[i] > smoothed[current.apex])
                current.apex = i;
            if (slope <= 0) {
                state = State::Falling;
                sawFall = false;
            }
            break;
        case State::Falling:
            if (!sawFall && smoothed[i] > smoothed[current.apex])
                current.apex = i;
            if (slope < -threshold)
                sawFall = true;
            if (slope > threshold) {
                if (sawFall) {
                    found.push_back(current);
                    current = {i, i, 0, 0};
                }
                state = State::Rising;
            } else if (sawFall && slope > -threshold / 2) {
                found.push_back(current);
                state = State::Idle;
            }
            break;
        }
    }
    if (state == State::Falling && sawFall)
        found.push_back(current);
    return found;
}

std::size_t lowestBetween(const std::vector<double>& smoothed, std::size_t from, std::size_t to)
{
    std::size_t lowest = from;
    for (std::size_t i = from; i <= to; ++i)
        if (smoothed[i] < smoothed[lowest])
            lowest = i;
    return lowest;
}

// Merges apexes that do not stand out from the valley beside them: noise on a peak's flank or
// tail must not split it.
void dropShallowApexes(std::vector<Candidate>& candidates, const std::vector<double>& smoothed, double minProminence)
{
    bool changed = true;
    while (changed && candidates.size() > 1) {
        changed = false;
        std::size_t weakest = candidates.size();
        double weakestProminence = minProminence;
        for (std::size_t k = 0; k < candidates.size(); ++k) {
            const std::size_t apex = candidates[k].apex;
            double deepest = -INFINITY;
            if (k > 0)
                deepest = std::max(deepest, smoothed[lowestBetween(smoothed, candidates[k - 1].apex, apex)]);
            if (k + 1 < candidates.size())
                deepest = std::max(deepest, smoothed[lowestBetween(smoothed, apex, candidates[k + 1].apex)]);
            const double prominence = smoothed[apex] - deepest;
            if (prominence < weakestProminence) {
                weakestProminence = prominence;
                weakest = k;
            }
        }
        if (weakest < candidates.size()) {
            candidates.erase(candidates.begin() + static_cast<std::ptrdiff_t>(weakest));
            changed = true;
        }
    }
}

// Sets each candidate's reach from the widths of its two halves at half height.
void setReaches(std::vector<Candidate>& candidates, const std::vector<double>& smoothed)
{
    const std::size_t n = smoothed.size();
    for (std::size_t k = 0; k < candidates.size(); ++k) {
        Candidate& c = candidates[k];
        const std::size_t rise = std::max<std::size_t>(c.apex - c.riseStart, 3);
        const std::size_t window = 8 * rise;
        const std::size_t leftLimit = k > 0 ? candidates[k - 1].apex : (c.apex > window ? c.apex - window : 0);
        const std::size_t rightLimit = k + 1 < candidates.size() ? candidates[k + 1].apex : std::min(n - 1, c.apex + window);
        const std::size_t leftLow = lowestBetween(smoothed, leftLimit, c.apex);
        const std::size_t rightLow = lowestBetween(smoothed, c.apex, rightLimit);
        const double reference = std::min(smoothed[leftLow], smoothed[rightLow]);
        const double half = (smoothed[c.apex] + reference) / 2;
        std::size_t left = c.apex, right = c.apex;
        while (left > leftLow && smoothed[left] > half)
            --left;
        while (right < rightLow && smoothed[right] > half)
            ++right;
        const bool leftReached = smoothed[left] <= half;
        const bool rightReached = smoothed[right] <= half;
        double leftWidth = static_cast<double>(c.apex - left);
        double rightWidth = static_cast<double>(right - c.apex);
        if (!leftReached && rightReached)
            leftWidth = rightWidth;
        else if (leftReached && !rightReached)
            rightWidth = leftWidth;
        else if (!leftReached && !rightReached)
            leftWidth = rightWidth = static_cast<double>(rise);
        // Half width at half height of a Gaussian is 1.1774 standard deviations.
        const double frontPoints = std::ceil(frontReach * std::max(leftWidth, 1.0) / 1.1774);
        const double tailPoints = std::ceil(tailReach * std::max(rightWidth, 1.0) / 1.1774);
        c.start = static_cast<double>(c.apex) > frontPoints ? c.apex - static_cast<std::size_t>(frontPoints) : 0;
        c.end = std::min(n - 1, c.apex + static_cast<std::size_t>(tailPoints));
    }
}

struct Line {
    double t0 = 0, y0 = 0, t1 = 0, y1 = 0;
    double at(double t) const { return t1 == t0 ? y0 : y0 + (y1 - y0) * (t - t0) / (t1 - t0); }
};

// The mean signal and mean time over points `from` to `to`: a point of a straight baseline with
// the noise averaged out, wherever the baseline drifts.
std::pair<double, double> meanPoint(const std::vector<double>& times, const std::vector<double>& values, std::size_t from, std::size_t to)
{
    double t = 0, y = 0;
    for (std::size_t i = from; i <= to; ++i) {
        t += times[i];
        y += values[i];
    }
    const double count = static_cast<double>(to - from + 1);
    return {t / count, y / count};
}

// The baseline under a group from `start` to `end`: through the mean of the quiet signal just
// before the group and just after it, each over up to the group's width, never reaching
// into the neighbouring groups.
Line groupBaseline(const std::vector<double>& times, const std::vector<double>& values, std::size_t start, std::size_t end,
                   std::size_t previousEnd, std::size_t nextStart)
{
    const std::size_t reach = std::max<std::size_t>(end - start, 2);
    const std::size_t leftFrom = std::max(previousEnd, start > reach ? start - reach : 0);
    const std::size_t rightTo = std::min(nextStart, end + reach);
    const auto [t0, y0] = meanPoint(times, values, std::min(leftFrom, start), start);
    const auto [t1, y1] = meanPoint(times, values, end, std::max(rightTo, end));
    return {t0, y0, t1, y1};
}

// Area between the signal and the baseline from point `a` to point `b`, in signal × seconds.
double areaAbove(const std::vector<double>& times, const std::vector<double>& values, const Line& base, std::size_t a, std::size_t b)
{
    double area = 0;
    for (std::size_t i = a; i < b; ++i) {
        const double h0 = values[i] - base.at(times[i]);
        const double h1 = values[i + 1] - base.at(times[i + 1]);
        area += (h0 + h1) / 2 * (times[i + 1] - times[i]) * 60.0;
    }
    return area;
}

// The apex from a least-squares parabola through the unsmoothed points around the smoothed
// maximum: smoothing pulls the maximum of a tailing peak towards its tail, the parabola does not.
double refinedApexTime(const std::vector<double>& times, const std::vector<double>& values, std::size_t apex, std::size_t half)
{
    if (apex < half || apex + half >= values.size() || half < 1)
        return times[apex];
    // Sums for the normal equations, with x in points relative to the apex.
    double s0 = 0, s1 = 0, s2 = 0, s3 = 0, s4 = 0, sy = 0, sxy = 0, sxxy = 0;
    for (std::size_t i = apex - half; i <= apex + half; ++i) {
        const double x = static_cast<double>(i) - static_cast<double>(apex);
        const double x2 = x * x;
        s0 += 1;
        s1 += x;
        s2 += x2;
        s3 += x2 * x;
        s4 += x2 * x2;
        sy += values[i];
        sxy += x * values[i];
        sxxy += x2 * values[i];
    }
    // Solve [s4 s3 s2; s3 s2 s1; s2 s1 s0] (a b c) = (sxxy sxy sy) by Cramer's rule.
    auto det3 = [](double a, double b, double c, double d, double e, double f, double g, double h, double k) {
        return a * (e * k - f * h) - b * (d * k - f * g) + c * (d * h - e * g);
    };
    const double d = det3(s4, s3, s2, s3, s2, s1, s2, s1, s0);
    if (d == 0)
        return times[apex];
    const double a = det3(sxxy, s3, s2, sxy, s2, s1, sy, s1, s0) / d;
    const double b = det3(s4, sxxy, s2, s3, sxy, s1, s2, sy, s0) / d;
    if (!(a < 0))
        return times[apex];
    const double vertex = std::clamp(-b / (2 * a), -static_cast<double>(half), static_cast<double>(half));
    const double whole = std::floor(vertex);
    const std::size_t base = static_cast<std::size_t>(static_cast<std::ptrdiff_t>(apex) + static_cast<std::ptrdiff_t>(whole));
    const double fraction = vertex - whole;
    if (base + 1 >= times.size())
        return times[base];
    return times[base] + fraction * (times[base + 1] - times[base]);
}

} // namespace

double PeakIntegrator::noiseLevel(const std::vector<double>& values)
{
    if (values.size() < 3)
        return 0;
    // A step holds the noise of two points.
    return quietSigma(values.size() - 1, [&](std::size_t i) { return values[i + 1] - values[i]; }) / std::sqrt(2.0);
}

std::vector<Peak> PeakIntegrator::integrate(const std::vector<double>& times, const std::vector<double>& values) const
{
    std::vector<Peak> peaks;
    const std::size_t n = std::min(times.size(), values.size());
    if (n < 5)
        return peaks;
    // One time per value is the contract; a longer list of values is cut to the times.
    std::vector<double> cut;
    if (values.size() != n)
        cut.assign(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(n));
    const std::vector<double>& y = values.size() == n ? values : cut;
    const double noise = noiseLevel(y);
    const int width = options_.smoothingPoints > 0 ? oddAtLeast3(options_.smoothingPoints) : chooseSmoothing(y, noise);
    const std::vector<double> smoothed = movingAverage(y, width);

    auto slopeAt = [&](std::size_t i) { return (smoothed[i + 2] - smoothed[i]) / 2; };
    const double slopeOffset = medianOf(n - 2, slopeAt);  // a drifting baseline's own slope
    const double slopeNoise = quietSigma(n - 2, slopeAt);
    // A perfectly flat signal has no noise; any rise at all is then a peak.
    const double threshold = options_.slopeThreshold * std::max(slopeNoise, 1e-12 * (1 + std::fabs(slopeOffset)));
    const double minHeight = options_.minHeight > 0 ? options_.minHeight : 10 * noise;

    std::vector<Candidate> candidates = findApexes(smoothed, threshold, slopeOffset);
    dropShallowApexes(candidates, smoothed, minHeight);
    setReaches(candidates, smoothed);

    std::size_t previousEnd = 0;
    std::size_t first = 0;
    while (first < candidates.size()) {
        // A group: candidates whose reaches overlap.
        std::size_t last = first;
        std::size_t groupStart = candidates[first].start;
        std::size_t groupEnd = candidates[first].end;
        while (last + 1 < candidates.size() && candidates[last + 1].start <= groupEnd) {
            ++last;
            groupStart = std::min(groupStart, candidates[last].start);
            groupEnd = std::max(groupEnd, candidates[last].end);
        }
        const std::size_t nextStart = last + 1 < candidates.size() ? candidates[last + 1].start : n - 1;
        const Line groupBase = groupBaseline(times, y, groupStart, groupEnd, previousEnd, std::max(nextStart, groupEnd));
        previousEnd = groupEnd;
        std::size_t from = groupStart;
        for (std::size_t k = first; k <= last; ++k) {
            const std::size_t apex = candidates[k].apex;
            const std::size_t to = k < last ? lowestBetween(smoothed, apex, candidates[k + 1].apex) : groupEnd;
            Line base = groupBase;
            if (options_.baseline == BaselineMode::Valley && first != last) {
                const double y0 = from == groupStart ? groupBase.at(times[from]) : smoothed[from];
                const double y1 = to == groupEnd ? groupBase.at(times[to]) : smoothed[to];
                base = {times[from], y0, times[to], y1};
            }
            Peak peak;
            peak.time = refinedApexTime(times, y, apex, static_cast<std::size_t>(width / 2 + 1));
            peak.area = areaAbove(times, y, base, from, to);
            peak.height = smoothed[apex] - base.at(times[apex]);
            peak.front = times[from];
            peak.back = times[to];
            peak.left = static_cast<int32_t>(std::min<std::size_t>(from, INT32_MAX));
            peak.right = static_cast<int32_t>(std::min<std::size_t>(to, INT32_MAX));
            peak.front_base_height = base.at(times[from]);
            peak.back_base_height = base.at(times[to]);
            if (peak.height >= minHeight && peak.area >= options_.minArea && peak.area > 0)
                peaks.push_back(std::move(peak));
            from = to;
        }
        first = last + 1;
    }
    return peaks;
}
