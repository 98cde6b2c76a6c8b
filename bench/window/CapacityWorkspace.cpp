#include "CapacityWorkspace.h"

#include "DemoDataWriter.h"
#include "DemoMethod.h"
#include "platform/Text.h"

#include <filesystem>
#include <fstream>
#include <system_error>

namespace {

constexpr int kAssays = 256;
constexpr int kComponents = 200;
constexpr int kPeaks = 1000;

} // namespace

CapacityWorkspace capacityWorkspace(bool warnAll, std::string& error)
{
    namespace fs = std::filesystem;
    CapacityWorkspace workspace;
    const fs::path folder = fs::path(VEXOL_BIN_DIR) / ".." / "bench-data" / (warnAll ? "capacity-warn-all" : "capacity");
    const fs::path complete = folder / "complete";
    if (!fs::exists(complete)) {
        std::error_code ignored;
        fs::remove_all(folder, ignored);
        DemoScale scale;
        scale.assays = kAssays;
        scale.components = kComponents;
        scale.peaks = kPeaks;
        scale.warnAll = warnAll;
        std::u16string failure;
        if (!DemoDataWriter::write(platform::utf8ToUtf16(folder.string()), DemoPlan::scaled(scale), true, failure)) {
            error = platform::utf16ToUtf8(failure);
            return {};
        }
        // The report's template, where the plug-in looks for it below the public folder.
        const fs::path templates = folder / "public" / "Vantrel4" / "Templates" / "vexol";
        fs::create_directories(templates);
        fs::copy_file(fs::path(VEXOL_SOURCE_DIR) / "data" / "Report.xsl", templates / "Report.xsl",
                      fs::copy_options::overwrite_existing);
        std::ofstream(complete) << "written by window_capacity_bench\n";
    }
    workspace.folder = folder.string();
    workspace.database = platform::utf16ToUtf8(DemoDataWriter::databasePath(platform::utf8ToUtf16(workspace.folder)));
    workspace.publicFolder = (folder / "public").string();
    workspace.assays = kAssays;
    return workspace;
}
