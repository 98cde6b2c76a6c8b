#pragma once
// Builds the host's chromatogram file for one injection from its ANDI channels.
#include "AndiRun.h"
#include "input/CVantrelFile4.h"

#include <cstdint>
#include <string>
#include <vector>

struct ImportedChannel {
    int32_t number = 1;
    std::string sourceFile;     // the ANDI file it came from
    AndiRun run;
    std::vector<Peak> peaks;    // the peak table to store: the file's own or the integrator's
};

struct InjectionIdentity {
    std::u16string sample;
    std::u16string mixture;
    bool calibration = false;
    int64_t date = 0;           // seconds since 1970 UTC
};

// The signal is stored as whole counts: count = (value - offset) / scale, with `valueA` the sampling
// interval in seconds and `valueB` the scale; the offset is the passport parameter "signal_offset<N>".
CVantrelFile4 buildChromatogram(const std::vector<ImportedChannel>& channels, const InjectionIdentity& identity);

// The signal value a stored count stands for, given the channel's scale and offset.
inline double decodeSample(uint32_t count, double scale, double offset)
{
    return offset + static_cast<double>(count) * scale;
}
