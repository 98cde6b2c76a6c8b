#pragma once
// Writes small ANDI chromatography files with libnetcdf, the way the vendors' exports are built,
// with switches for each variation seen in real exports.
#include <map>
#include <optional>
#include <string>
#include <vector>

enum class PeakDimension { Fixed, UnlimitedEmpty, Absent };

struct AndiTestFile {
    // Attribute name for the time unit ("retention_unit", the misspelt "retention_units", or none).
    std::optional<std::string> unitAttribute = std::string("retention_unit");
    std::string unit = "seconds";

    PeakDimension peakDimension = PeakDimension::Fixed;
    std::vector<double> times;                 // peak_retention_time
    std::vector<double> areas;                 // peak_area
    std::optional<std::vector<double>> heights, amounts, starts, ends;
    std::optional<std::vector<std::string>> names;  // written into a fixed-width text variable
    std::size_t nameWidth = 32;
    std::string namePadding = std::string(1, '\0');  // repeated to fill each name's width

    std::vector<double> signal;                // ordinate_values; none when empty
    std::optional<std::vector<double>> explicitTimes;  // raw_data_retention
    double interval = 0.5;                     // actual_sampling_interval
    double delay = 0;                          // actual_delay_time
    bool intervalAsTextAttribute = false;      // the interval as a global text attribute, not a variable
    bool intervalAsFloatAttribute = false;     // ... or as a global float attribute

    std::map<std::string, std::string> text = {{"injection_date_time_stamp", "20240312083000+0000"}};
    std::map<std::string, double> numbers;
    bool massSpectrometry = false;

    // Writes the file (netCDF classic) and returns its path; fails the current test on error.
    std::string write(const std::string& path) const;
};

// A folder of its own for one test, removed at the end of the test program.
std::string testFolder(const std::string& name);

// Sampled Gaussian and exponentially tailed peaks, baseline and noise, for the integrator tests.
struct SyntheticPeak {
    double time = 0;        // minutes
    double area = 0;        // signal × seconds
    double sigma = 0;       // minutes
    double tau = 0;         // tailing time constant, minutes; 0 for a Gaussian
};
std::vector<double> syntheticSignal(const std::vector<SyntheticPeak>& peaks, std::size_t points, double intervalMinutes,
                                    double baseline, double drift, double noise, unsigned seed);
