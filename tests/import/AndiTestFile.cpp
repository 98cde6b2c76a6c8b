#include "AndiTestFile.h"

#include <gtest/gtest.h>
#include <netcdf.h>

#include <cmath>
#include <filesystem>
#include <numbers>
#include <random>
#include <unistd.h>

namespace {

void check(int status, const char* what)
{
    if (status != NC_NOERR)
        ADD_FAILURE() << what << ": " << nc_strerror(status);
}

void putFloats(int file, int variable, const std::vector<double>& values)
{
    if (values.empty())
        return;
    std::vector<float> narrow(values.begin(), values.end());
    check(nc_put_var_float(file, variable, narrow.data()), "put floats");
}

} // namespace

std::string AndiTestFile::write(const std::string& path) const
{
    int file = -1;
    check(nc_create(path.c_str(), NC_CLOBBER, &file), "create");
    check(nc_set_fill(file, NC_NOFILL, nullptr), "no fill");
    auto textAttribute = [&](const std::string& name, const std::string& value) {
        check(nc_put_att_text(file, NC_GLOBAL, name.c_str(), value.size(), value.data()), name.c_str());
    };
    textAttribute(massSpectrometry ? "ms_template_revision" : "aia_template_revision", "1.0");
    if (unitAttribute)
        textAttribute(*unitAttribute, unit);
    for (const auto& [name, value] : text)
        textAttribute(name, value);
    for (const auto& [name, value] : numbers)
        check(nc_put_att_double(file, NC_GLOBAL, name.c_str(), NC_FLOAT, 1, &value), name.c_str());
    if (intervalAsTextAttribute) {
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "%.9g", interval);
        std::string value(buffer);
        for (char& c : value)
            if (c == ',')
                c = '.';
        textAttribute("actual_sampling_interval", value);
    }
    if (intervalAsFloatAttribute)
        check(nc_put_att_double(file, NC_GLOBAL, "actual_sampling_interval", NC_FLOAT, 1, &interval), "interval");

    int pointDimension = -1, peakDimensionId = -1, nameDimension = -1;
    int ordinate = -1, rawTimes = -1, intervalVariable = -1, delayVariable = -1;
    int mass = -1;
    if (!signal.empty()) {
        check(nc_def_dim(file, "point_number", signal.size(), &pointDimension), "point_number");
        check(nc_def_var(file, "ordinate_values", NC_FLOAT, 1, &pointDimension, &ordinate), "ordinate_values");
        if (explicitTimes)
            check(nc_def_var(file, "raw_data_retention", NC_FLOAT, 1, &pointDimension, &rawTimes), "raw_data_retention");
        if (massSpectrometry)
            check(nc_def_var(file, "mass_values", NC_FLOAT, 1, &pointDimension, &mass), "mass_values");
    }
    if (!intervalAsTextAttribute && !intervalAsFloatAttribute)
        check(nc_def_var(file, "actual_sampling_interval", NC_FLOAT, 0, nullptr, &intervalVariable), "interval");
    check(nc_def_var(file, "actual_delay_time", NC_FLOAT, 0, nullptr, &delayVariable), "delay");

    std::map<std::string, int> peakVariables;
    if (peakDimension != PeakDimension::Absent) {
        const std::size_t length = peakDimension == PeakDimension::Fixed ? times.size() : NC_UNLIMITED;
        check(nc_def_dim(file, "peak_number", length, &peakDimensionId), "peak_number");
        auto define = [&](const char* name, bool present) {
            if (!present)
                return;
            int id = -1;
            check(nc_def_var(file, name, NC_FLOAT, 1, &peakDimensionId, &id), name);
            peakVariables[name] = id;
        };
        define("peak_retention_time", true);
        define("peak_area", true);
        define("peak_height", heights.has_value());
        define("peak_amount", amounts.has_value());
        define("peak_start_time", starts.has_value());
        define("peak_end_time", ends.has_value());
        if (names) {
            check(nc_def_dim(file, "_name_width", nameWidth, &nameDimension), "name width");
            int dims[2] = {peakDimensionId, nameDimension};
            int id = -1;
            check(nc_def_var(file, "peak_name", NC_CHAR, 2, dims, &id), "peak_name");
            peakVariables["peak_name"] = id;
        }
    }
    check(nc_enddef(file), "enddef");

    if (ordinate >= 0)
        putFloats(file, ordinate, signal);
    if (rawTimes >= 0)
        putFloats(file, rawTimes, *explicitTimes);
    if (mass >= 0)
        putFloats(file, mass, signal);
    if (intervalVariable >= 0) {
        float value = static_cast<float>(interval);
        check(nc_put_var_float(file, intervalVariable, &value), "interval value");
    }
    float delayValue = static_cast<float>(delay);
    check(nc_put_var_float(file, delayVariable, &delayValue), "delay value");
    if (peakDimension == PeakDimension::Fixed) {
        putFloats(file, peakVariables["peak_retention_time"], times);
        putFloats(file, peakVariables["peak_area"], areas);
        if (heights)
            putFloats(file, peakVariables["peak_height"], *heights);
        if (amounts)
            putFloats(file, peakVariables["peak_amount"], *amounts);
        if (starts)
            putFloats(file, peakVariables["peak_start_time"], *starts);
        if (ends)
            putFloats(file, peakVariables["peak_end_time"], *ends);
        if (names && !names->empty()) {
            std::string block;
            for (const std::string& name : *names) {
                std::string row = name.substr(0, nameWidth);
                while (row.size() < nameWidth)
                    row += namePadding[(row.size() - name.size()) % namePadding.size()];
                block += row;
            }
            check(nc_put_var_text(file, peakVariables["peak_name"], block.data()), "names");
        }
    }
    check(nc_close(file), "close");
    return path;
}

namespace {

std::filesystem::path processFolder()
{
    return std::filesystem::temp_directory_path() / ("vexol-import-" + std::to_string(::getpid()));
}

// Removes this test program's folders once every test has run.
class RemoveTestFolders : public ::testing::Environment {
public:
    void TearDown() override
    {
        std::error_code ignored;  // a folder that cannot go stays in the temporary folder, harmless
        std::filesystem::remove_all(processFolder(), ignored);
    }
};

const auto* const removal = ::testing::AddGlobalTestEnvironment(new RemoveTestFolders);

} // namespace

std::string testFolder(const std::string& name)
{
    const std::filesystem::path folder = processFolder() / name;
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder.string();
}

std::vector<double> syntheticSignal(const std::vector<SyntheticPeak>& peaks, std::size_t points, double intervalMinutes,
                                    double baseline, double drift, double noise, unsigned seed)
{
    std::mt19937 random(seed);
    std::normal_distribution<double> scatter(0.0, noise);
    std::vector<double> values(points);
    for (std::size_t i = 0; i < points; ++i) {
        const double t = static_cast<double>(i) * intervalMinutes;
        double y = baseline + drift * t + (noise > 0 ? scatter(random) : 0.0);
        for (const SyntheticPeak& p : peaks) {
            const double s = p.sigma;
            // Density per minute; the area is given in signal × seconds.
            double density;
            if (p.tau <= 0) {
                const double z = (t - p.time) / s;
                density = std::exp(-0.5 * z * z) / (s * std::sqrt(2 * std::numbers::pi));
            } else {
                // Exponentially modified Gaussian, `time` the centre of its Gaussian part.
                const double x = t - p.time;
                const double arg = (s / p.tau - x / s) / std::numbers::sqrt2;
                density = 0.5 / p.tau * std::exp(s * s / (2 * p.tau * p.tau) - x / p.tau) * std::erfc(arg);
                if (!std::isfinite(density))
                    density = 0;
            }
            y += p.area / 60.0 * density;
        }
        values[i] = y;
    }
    return values;
}
