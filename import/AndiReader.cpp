#include "AndiReader.h"

#include "InjectionTime.h"
#include "NetCdfFile.h"

#include "platform/Format.h"
#include "platform/Text.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace {

// Vendors write "no value" in several ways.
constexpr double missingMarker = -9999.0;

bool isNoValue(double value, std::optional<double> fill)
{
    if (!std::isfinite(value) || value == missingMarker)
        return true;
    // The library's default fill value is stored as a float in float variables.
    return fill && (value == *fill || std::fabs(value - *fill) <= std::fabs(*fill) * 1e-6);
}

// ANDI text is ASCII in principle; older Windows exports hold Latin-1.
std::u16string decodeText(const std::string& bytes)
{
    // Plain ASCII, nearly every name, reads the same in both encodings: widened as it stands.
    if (std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        return std::u16string(platform::trimWhite(std::u16string(bytes.begin(), bytes.end())));
    std::u16string utf16 = platform::utf8ToUtf16(bytes);
    if (utf16.find(u'\uFFFD') != std::u16string::npos && bytes.find("\xEF\xBF\xBD") == std::string::npos) {
        utf16.clear();
        for (unsigned char c : bytes)
            utf16 += static_cast<char16_t>(c);
    }
    return std::u16string(platform::trimWhite(utf16));
}

bool containsMinutes(const std::string& text)
{
    std::string lower;
    for (char c : text)
        lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower.find("min") != std::string::npos;
}

class RunBuilder {
public:
    RunBuilder(const NetCdfFile& file, int64_t fileTime) : file_(file), fileTime_(fileTime) {}

    AndiReadResult build()
    {
        AndiReadResult result;
        if (file_.hasGlobal("ms_template_revision") || file_.hasVariable("mass_values")) {
            result.refusal = "mass-spectrometry file; only chromatography files can be imported";
            return result;
        }
        readUnits();
        run_.sampleName = decodeText(file_.globalText("sample_name").value_or(""));
        run_.detectorName = decodeText(file_.globalText("detector_name").value_or(""));
        run_.amountUnit = decodeText(file_.globalText("peak_amount_unit").value_or(""));
        run_.injectionTime = injectionTime();

        std::string signalProblem;
        const bool hasSignal = readSignal(signalProblem);
        std::string tableProblem;
        readPeakTable(tableProblem);
        if (!hasSignal && !run_.hasPeakTable) {
            result.refusal = "neither a raw signal (ordinate_values) nor a peak table";
            if (!signalProblem.empty() || !tableProblem.empty()) {
                result.refusal += ": ";
                result.refusal += !signalProblem.empty() ? signalProblem : tableProblem;
            }
            return result;
        }
        if (!signalProblem.empty())
            run_.warnings.push_back("raw signal not taken: " + signalProblem);
        if (!tableProblem.empty())
            run_.warnings.push_back("peak table not taken: " + tableProblem);
        result.run = std::move(run_);
        return result;
    }

private:
    void readUnits()
    {
        std::optional<std::string> unit = file_.globalText("retention_unit");
        if (!unit)
            unit = file_.globalText("retention_units");
        toMinutes_ = unit && containsMinutes(*unit) ? 1.0 : 1.0 / 60.0;
    }

    int64_t injectionTime()
    {
        const std::string stamp = file_.globalText("injection_date_time_stamp").value_or("");
        run_.injectionStamp = platform::utf16ToUtf8(platform::trimWhite(platform::utf8ToUtf16(stamp)));
        if (std::optional<int64_t> time = parseAndiTimeStamp(stamp))
            return *time;
        for (const char* vendor : {"HP_injection_time", "injection_time", "vendor_injection_time"}) {
            std::optional<std::string> text = file_.globalText(vendor);
            if (!text)
                continue;
            if (std::optional<int64_t> time = parseVendorTime(*text)) {
                run_.warnings.push_back(platform::format8(
                    "injection time \"%s\" is not a valid date; %s \"%s\" was used instead (as UTC)", {stamp, vendor, *text}));
                return *time;
            }
        }
        run_.warnings.push_back(platform::format8(
            "injection time \"%s\" is not a valid date; the file's modification time was used instead", {stamp}));
        return fileTime_;
    }

    bool readSignal(std::string& problem)
    {
        if (!file_.hasVariable("ordinate_values"))
            return false;
        std::vector<double> values;
        if (!file_.readNumbers("ordinate_values", values, problem))
            return false;
        if (values.empty()) {
            problem = "\"ordinate_values\" holds no points";
            return false;
        }
        std::vector<double> times;
        if (file_.hasVariable("raw_data_retention")) {
            if (!file_.readNumbers("raw_data_retention", times, problem))
                return false;
            if (times.size() != values.size()) {
                problem = "\"raw_data_retention\" and \"ordinate_values\" differ in length";
                return false;
            }
            for (double& t : times) {
                if (!std::isfinite(t)) {
                    problem = "\"raw_data_retention\" holds a time that is not a number";
                    return false;
                }
                t *= toMinutes_;
            }
            for (std::size_t i = 1; i < times.size(); ++i)
                if (!(times[i] > times[i - 1])) {
                    problem = "the times in \"raw_data_retention\" do not increase";
                    return false;
                }
        } else {
            const double interval = file_.number("actual_sampling_interval").value_or(0);
            double delay = file_.number("actual_delay_time").value_or(0);
            if (!std::isfinite(interval) || interval <= 0) {
                problem = "\"actual_sampling_interval\" is missing or not positive";
                return false;
            }
            if (!std::isfinite(delay) || delay == missingMarker) {
                run_.warnings.push_back("\"actual_delay_time\" is not a number; 0 was used");
                delay = 0;
            }
            interval_ = interval;
            delay_ = delay;
            run_.samplingMinutes = interval * toMinutes_;
            times.resize(values.size());
            for (std::size_t i = 0; i < values.size(); ++i)
                times[i] = (delay + static_cast<double>(i) * interval) * toMinutes_;
        }
        const std::optional<double> fill = file_.fillValue("ordinate_values");
        std::size_t replaced = 0;
        double previous = 0;
        for (double& v : values) {
            if (isNoValue(v, fill) && v != missingMarker) {
                v = previous;
                ++replaced;
            }
            previous = v;
        }
        if (replaced > 0)
            run_.warnings.push_back(platform::format8("%d raw signal points had no value and repeat the point before them",
                                                      {static_cast<unsigned long long>(replaced)}));
        run_.signalTimes = std::move(times);
        run_.signalValues = std::move(values);
        return true;
    }

    // A column of the peak table; absent columns come back empty, unreadable ones set `problem`.
    std::vector<double> column(const char* name, std::size_t count, std::string& problem)
    {
        std::vector<double> values;
        if (!file_.hasVariable(name))
            return values;
        std::string error;
        if (!file_.readNumbers(name, values, error) || values.size() != count) {
            if (problem.empty())
                problem = error.empty() ? platform::format8("\"%s\" does not have one value per peak", {name}) : error;
            values.clear();
        }
        return values;
    }

    void readPeakTable(std::string& problem)
    {
        if (!file_.hasVariable("peak_retention_time"))
            return;
        std::vector<double> times;
        if (!file_.readNumbers("peak_retention_time", times, problem))
            return;
        const std::size_t count = times.size();
        if (count == 0)
            return;
        std::vector<double> areas = column("peak_area", count, problem);
        if (areas.empty()) {
            if (problem.empty())
                problem = "\"peak_area\" is missing";
            return;
        }
        std::vector<double> heights = column("peak_height", count, problem);
        std::vector<double> amounts = column("peak_amount", count, problem);
        std::vector<double> starts = column("peak_start_time", count, problem);
        std::vector<double> ends = column("peak_end_time", count, problem);
        std::vector<std::string> names;
        if (file_.hasVariable("peak_name")) {
            std::string error;
            if (!file_.readTextRows("peak_name", names, error) || names.size() != count) {
                run_.warnings.push_back("peak names not taken: " + (error.empty() ? std::string("not one name per peak") : error));
                names.clear();
            }
        }
        const std::optional<double> amountFill = file_.fillValue("peak_amount");
        const std::optional<double> areaFill = file_.fillValue("peak_area");
        const std::optional<double> heightFill = file_.fillValue("peak_height");
        const std::optional<double> timeFill = file_.fillValue("peak_retention_time");
        const bool boundsInPoints = boundsArePointNumbers(times, starts, ends);
        if (boundsInPoints)
            run_.warnings.push_back("peak start and end times are point numbers; converted with the sampling interval");

        std::size_t noAmount = 0, noArea = 0, noHeight = 0, noTime = 0;
        for (std::size_t i = 0; i < count; ++i) {
            if (isNoValue(times[i], timeFill)) {
                ++noTime;
                continue;
            }
            Peak peak;
            peak.time = times[i] * toMinutes_;
            peak.area = areas[i];
            if (isNoValue(peak.area, areaFill)) {
                peak.area = 0;
                ++noArea;
            }
            if (!names.empty())
                peak.name = decodeText(names[i]);
            if (!heights.empty()) {
                peak.height = isNoValue(heights[i], heightFill) ? (++noHeight, 0.0) : heights[i];
            }
            if (!amounts.empty()) {
                peak.concent = isNoValue(amounts[i], amountFill) ? (++noAmount, 0.0) : amounts[i];
            }
            peak.front = boundTime(starts, i, boundsInPoints);
            peak.back = boundTime(ends, i, boundsInPoints);
            run_.peaks.push_back(std::move(peak));
        }
        auto warnMissing = [&](std::size_t n, const char* what) {
            if (n > 0)
                run_.warnings.push_back(platform::format8("%d peaks have no %s (infinite, NaN, -9999 or unset); stored as 0",
                                                          {static_cast<unsigned long long>(n), what}));
        };
        warnMissing(noAmount, "amount");
        warnMissing(noArea, "area");
        warnMissing(noHeight, "height");
        if (noTime > 0)
            run_.warnings.push_back(platform::format8("%d peaks have no retention time and were left out",
                                                      {static_cast<unsigned long long>(noTime)}));
        run_.hasPeakTable = !run_.peaks.empty();
    }

    // Some exports write peak starts and ends as point numbers while the retention times are times:
    // every start then lies after its peak's apex. Read as points, they bracket it.
    bool boundsArePointNumbers(const std::vector<double>& times, const std::vector<double>& starts,
                               const std::vector<double>& ends) const
    {
        if (starts.empty() || ends.empty() || interval_ <= 0)
            return false;
        bool asTimes = true, asPoints = true;
        for (std::size_t i = 0; i < times.size(); ++i) {
            if (!std::isfinite(starts[i]) || !std::isfinite(ends[i]) || !std::isfinite(times[i]))
                continue;
            asTimes = asTimes && starts[i] <= times[i] && times[i] <= ends[i];
            const double start = delay_ + starts[i] * interval_;
            const double end = delay_ + ends[i] * interval_;
            asPoints = asPoints && start <= times[i] && times[i] <= end;
        }
        return !asTimes && asPoints;
    }

    double boundTime(const std::vector<double>& values, std::size_t i, bool inPoints) const
    {
        if (values.empty() || !std::isfinite(values[i]) || values[i] == missingMarker)
            return 0;
        const double time = inPoints ? delay_ + values[i] * interval_ : values[i];
        return time * toMinutes_;
    }

    const NetCdfFile& file_;
    int64_t fileTime_;
    AndiRun run_;
    double toMinutes_ = 1.0 / 60.0;
    double interval_ = 0;   // in the file's retention unit
    double delay_ = 0;
};

} // namespace

AndiReadResult readAndi(const unsigned char* data, std::size_t size, int64_t fileTime)
{
    std::string error;
    std::unique_ptr<NetCdfFile> file = NetCdfFile::openMemory(data, size, error);
    if (!file) {
        AndiReadResult result;
        result.refusal = error;
        return result;
    }
    return RunBuilder(*file, fileTime).build();
}
