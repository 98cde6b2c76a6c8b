#include "ChromatogramBuilder.h"

#include "platform/Format.h"
#include "platform/Text.h"

#include <algorithm>
#include <cmath>
#include <random>

namespace {

// Counts use 31 bits, so that a reader taking them as signed numbers reads the same values.
constexpr double countRange = 2147483647.0;

std::u16string newAssayId()
{
    std::random_device device;
    std::mt19937_64 random((static_cast<uint64_t>(device()) << 32) ^ device());
    const uint64_t high = random();
    const uint64_t low = random();
    auto hex = [](uint64_t value, int digits) {
        std::u16string text;
        for (int i = digits - 1; i >= 0; --i)
            text += u"0123456789abcdef"[(value >> (4 * i)) & 0xF];
        return text;
    };
    // A version 4 (random) identifier.
    return hex(high >> 32, 8) + u"-" + hex((high >> 16) & 0xFFFF, 4) + u"-" + hex(0x4000 | (high & 0x0FFF), 4) + u"-"
        + hex(0x8000 | ((low >> 48) & 0x3FFF), 4) + u"-" + hex(low & 0xFFFFFFFFFFFFULL, 12);
}

std::u16string numberText(double value)
{
    return platform::utf8ToUtf16(platform::formatNumberC("%.17g", value));
}

void storeSignal(const AndiRun& run, Channel& channel, double& offset)
{
    const std::vector<double>& values = run.signalValues;
    offset = 0;
    if (values.empty())
        return;
    auto [low, high] = std::minmax_element(values.begin(), values.end());
    offset = *low;
    const double scale = *high > *low ? (*high - *low) / countRange : 1.0;
    channel.signal.valueA = run.samplingMinutes > 0
        ? run.samplingMinutes * 60.0
        : (run.signalTimes.size() > 1 ? (run.signalTimes.back() - run.signalTimes.front()) * 60.0 / static_cast<double>(run.signalTimes.size() - 1) : 0);
    channel.signal.valueB = scale;
    channel.signal.samples.resize(values.size());
    for (std::size_t i = 0; i < values.size(); ++i)
        channel.signal.samples[i] = static_cast<uint32_t>(std::clamp(std::llround((values[i] - offset) / scale), 0LL, static_cast<long long>(countRange)));
}

} // namespace

CVantrelFile4 buildChromatogram(const std::vector<ImportedChannel>& channels, const InjectionIdentity& identity)
{
    CVantrelFile4 file;
    Passport& passport = file.passport;
    passport.assayid = newAssayId();
    passport.series = u"AIA/ANDI";
    passport.andate = identity.date;
    passport.date = identity.date;
    passport.sample = identity.sample;
    passport.mixture = identity.mixture;
    passport.graduation = identity.calibration;
    double duration = 0;
    for (const ImportedChannel& imported : channels) {
        Channel channel;
        channel.number = imported.number;
        channel.peaks = imported.peaks;
        double offset = 0;
        storeSignal(imported.run, channel, offset);
        if (!imported.run.signalTimes.empty())
            duration = std::max(duration, imported.run.signalTimes.back());
        for (const Peak& peak : imported.peaks)
            duration = std::max(duration, std::max(peak.time, peak.back));
        const std::u16string n = platform::format(u"%d", {imported.number});
        passport.parameters.push_back({u"source" + n, platform::format(u"Исходный файл, канал %d", {imported.number}),
                                       platform::utf8ToUtf16(imported.sourceFile)});
        if (!imported.run.detectorName.empty())
            passport.parameters.push_back({u"detector" + n, platform::format(u"Детектор, канал %d", {imported.number}),
                                           imported.run.detectorName});
        if (!imported.run.signalTimes.empty()) {
            passport.parameters.push_back({u"signal_offset" + n, platform::format(u"Смещение сигнала, канал %d", {imported.number}),
                                           numberText(offset)});
            passport.parameters.push_back({u"signal_start" + n, platform::format(u"Начало сигнала, мин, канал %d", {imported.number}),
                                           numberText(imported.run.signalTimes.front())});
        }
        if (!imported.run.amountUnit.empty())
            passport.parameters.push_back({u"amount_unit" + n, platform::format(u"Единица количества, канал %d", {imported.number}),
                                           imported.run.amountUnit});
        file.channels.push_back(std::move(channel));
    }
    passport.duration = duration;
    return file;
}
