// Any bytes given as the component table must read without harm, and what the table saves from
// them must read back to the very same file: a second save gives the same bytes as the first.
#include "engine/ComponentTable.h"
#include "platform/Text.h"

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

namespace {

std::string scratchFolder()
{
    static const std::string folder = [] {
        std::string pattern = (access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp") + std::string("/vexol_fuzz_XXXXXX");
        return std::string(mkdtemp(pattern.data()) ? pattern : "/tmp");
    }();
    return folder;
}

std::string readAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string input = scratchFolder() + "/input.csv";
    const std::string saved = scratchFolder() + "/saved.csv";
    std::ofstream(input, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data),
                                                                   static_cast<std::streamsize>(size));
    ComponentList first;
    if (!ComponentTable::loadFrom(platform::utf8ToUtf16(input), first))
        __builtin_trap();  // a regular file that exists always reads
    if (!ComponentTable::save(platform::utf8ToUtf16(saved), first))
        return 0;  // a name the file cannot hold (a control character) is refused, not written
    const std::string savedOnce = readAll(saved);
    ComponentList second;
    if (!ComponentTable::loadFrom(platform::utf8ToUtf16(saved), second) || second.size() != first.size())
        __builtin_trap();
    if (!ComponentTable::save(platform::utf8ToUtf16(saved), second) || readAll(saved) != savedOnce)
        __builtin_trap();
    return 0;
}
