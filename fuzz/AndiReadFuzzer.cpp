// Any byte image handed to the ANDI reader must be read or refused with a reason: no crash, no
// read beyond the image, no value that is not a number in what it hands on; and whatever signal it
// accepts, the integrator must measure without failing.
#include "AndiReader.h"
#include "PeakIntegrator.h"

#include <cmath>
#include <cstddef>
#include <cstdint>

namespace {

bool finitePeak(const Peak& p)
{
    return std::isfinite(p.time) && std::isfinite(p.area) && std::isfinite(p.height) && std::isfinite(p.concent)
        && std::isfinite(p.front) && std::isfinite(p.back);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    AndiReadResult result = readAndi(data, size, 0);
    if (!result.run) {
        if (result.refusal.empty())
            __builtin_trap();  // a refusal always says why
        return 0;
    }
    const AndiRun& run = *result.run;
    for (const Peak& p : run.peaks)
        if (!finitePeak(p))
            __builtin_trap();
    if (run.signalTimes.size() != run.signalValues.size())
        __builtin_trap();
    for (double v : run.signalValues)
        if (!std::isfinite(v))
            __builtin_trap();
    if (run.signalValues.size() <= 200000) {
        for (const Peak& p : PeakIntegrator().integrate(run.signalTimes, run.signalValues))
            if (!std::isnan(p.area) && !finitePeak(p))
                __builtin_trap();
    }
    return 0;
}
