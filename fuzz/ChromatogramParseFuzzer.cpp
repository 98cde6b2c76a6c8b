// Any byte image handed to CVantrelFile4::parse must give a result code: no crash, no read beyond
// the image, no allocation the image cannot back.
#include "input/CVantrelFile4.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CVantrelFile4 file;
    int32_t result = file.parse(data, size);
    if (result > 0 || result < -6)
        __builtin_trap();  // only the documented codes may come back
    return 0;
}
