// Any bytes as the report template go through the whole report, sandbox included: a report comes
// out or exactly one message says why not, and nothing outside the report's own file is written.
#include "engine/CalculationResult.h"
#include "input/AssayRecord.h"
#include "platform/Text.h"
#include "report/HtmlReport.h"
#include "report/ReportUserInterface.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

class SilentUserInterface : public ReportUserInterface {
public:
    void showError(const std::u16string&) override { ++errors; }
    std::optional<std::u16string> askSavePath(const SaveReportRequest&) override { return std::nullopt; }
    void openWithShell(const std::u16string&) override {}
    int errors = 0;
};

struct Scratch {
    Scratch()
    {
        std::string pattern = (access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp") + std::string("/vexol_fuzz_XXXXXX");
        folder = mkdtemp(pattern.data()) ? pattern : "/tmp";
        setenv("TMPDIR", folder.c_str(), 1);
        unsetenv("XDG_RUNTIME_DIR");
        templatePath = folder + "/Report.xsl";
        assays[1].fileName = u"/data/Проба 1.stg";
        assays[1].sample = u"a<b&\"c\"";
        assays[2].isCalibration = true;
        CalibrationRow line;
        line.name = u"Бензол";
        line.fitted = true;
        line.k0 = 0.5;
        line.k1 = 2;
        result.calibration.push_back(line);
        QuantitationRow row;
        row.name = u"Бензол";
        row.detected = row.valid = true;
        row.concentration = 1.25;
        result.quantitation.push_back(row);
    }
    std::string folder;
    std::string templatePath;
    AssayMap assays;
    CalculationResult result;
};

Scratch& scratch()
{
    static Scratch s;
    return s;
}

std::size_t entriesBelow(const std::string& folder)
{
    std::size_t count = 0;
    std::error_code ignored;
    for (auto it = std::filesystem::recursive_directory_iterator(folder, ignored);
         it != std::filesystem::recursive_directory_iterator(); it.increment(ignored))
        ++count;
    return count;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Scratch& s = scratch();
    std::ofstream(s.templatePath, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    const std::size_t before = entriesBelow(s.folder);
    SilentUserInterface ui;
    std::u16string output;
    bool succeeded = false;
    {
        HtmlReport report(s.assays, s.result, false, false, ui, platform::utf8ToUtf16(s.templatePath));
        succeeded = report.succeeded();
        output = report.outputPath();
    }
    if (succeeded ? ui.errors != 0 : ui.errors != 1)
        __builtin_trap();  // a report, or exactly one message
    if (succeeded != !output.empty())
        __builtin_trap();
    if (!output.empty()) {
        const std::filesystem::path written(platform::utf16ToUtf8(output));
        if (!std::filesystem::is_regular_file(written))
            __builtin_trap();
        std::filesystem::remove(written);
    }
    // The template may not have created anything (exsl:document and the like are refused).
    if (entriesBelow(s.folder) > before + 1)  // + the private report folder made on first use
        __builtin_trap();
    return 0;
}
