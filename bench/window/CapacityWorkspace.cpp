#include "CapacityWorkspace.h"

#include "DemoDataWriter.h"
#include "DemoMethod.h"
#include "platform/Text.h"

#include <sqlite3.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <system_error>
#include <utility>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr int kAssays = 256;
constexpr int kComponents = 200;
constexpr int kPeaks = 1000;

struct DatabaseCloser {
    void operator()(sqlite3* db) const { sqlite3_close(db); }
};
struct StatementFinalizer {
    void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};

// The database names every chromatogram by its absolute path, so a cache that was copied or whose
// build folder moved points at files that are not there. A file found under the same name in the
// cache's own chromatogram folder takes its new path; false when any file is missing from both
// places (or the database cannot be read or written), and the cache must be written afresh.
bool pointDatabaseAtItsFiles(const fs::path& folder, std::string& reason)
{
    const fs::path databasePath = folder / "vantrel.db";
    sqlite3* raw = nullptr;
    const int opened = sqlite3_open_v2(databasePath.c_str(), &raw, SQLITE_OPEN_READWRITE, nullptr);
    std::unique_ptr<sqlite3, DatabaseCloser> db(raw);
    if (opened != SQLITE_OK) {
        reason = "cannot open " + databasePath.string();
        return false;
    }
    std::vector<std::pair<long long, std::string>> moved;
    int rows = 0;
    {
        sqlite3_stmt* rawStatement = nullptr;
        if (sqlite3_prepare_v2(db.get(), "SELECT id, filename FROM assay", -1, &rawStatement, nullptr) != SQLITE_OK) {
            reason = std::string("cannot read the assays: ") + sqlite3_errmsg(db.get());
            return false;
        }
        std::unique_ptr<sqlite3_stmt, StatementFinalizer> statement(rawStatement);
        int step = SQLITE_ROW;
        while ((step = sqlite3_step(statement.get())) == SQLITE_ROW) {
            ++rows;
            const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement.get(), 1));
            const fs::path recorded = text ? fs::path(text) : fs::path();
            std::error_code error;
            if (!recorded.empty() && fs::is_regular_file(recorded, error))
                continue;
            const fs::path local = folder / "chromatograms" / recorded.filename();
            if (recorded.filename().empty() || !fs::is_regular_file(local, error)) {
                reason = "the chromatogram " + recorded.string() + " is missing";
                return false;
            }
            moved.emplace_back(sqlite3_column_int64(statement.get(), 0), local.string());
        }
        if (step != SQLITE_DONE) {
            reason = std::string("cannot read the assays: ") + sqlite3_errmsg(db.get());
            return false;
        }
    }
    if (rows != kAssays) {
        reason = "the database holds " + std::to_string(rows) + " assays";
        return false;
    }
    if (moved.empty())
        return true;
    sqlite3_stmt* rawUpdate = nullptr;
    if (sqlite3_prepare_v2(db.get(), "UPDATE assay SET filename = ?1 WHERE id = ?2", -1, &rawUpdate, nullptr)
        != SQLITE_OK) {
        reason = std::string("cannot update the assays: ") + sqlite3_errmsg(db.get());
        return false;
    }
    std::unique_ptr<sqlite3_stmt, StatementFinalizer> update(rawUpdate);
    sqlite3_exec(db.get(), "BEGIN", nullptr, nullptr, nullptr);
    for (const auto& [id, path] : moved) {
        sqlite3_reset(update.get());
        sqlite3_bind_text(update.get(), 1, path.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_int64(update.get(), 2, id);
        if (sqlite3_step(update.get()) != SQLITE_DONE) {
            reason = std::string("cannot update the assays: ") + sqlite3_errmsg(db.get());
            sqlite3_exec(db.get(), "ROLLBACK", nullptr, nullptr, nullptr);
            return false;
        }
    }
    if (sqlite3_exec(db.get(), "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK) {
        reason = std::string("cannot update the assays: ") + sqlite3_errmsg(db.get());
        return false;
    }
    return true;
}

bool writeWorkspace(const fs::path& folder, bool warnAll, std::string& error)
{
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
        return false;
    }
    // The report's template, where the plug-in looks for it below the public folder.
    const fs::path templates = folder / "public" / "Vantrel4" / "Templates" / "vexol";
    fs::create_directories(templates);
    fs::copy_file(fs::path(VEXOL_SOURCE_DIR) / "data" / "Report.xsl", templates / "Report.xsl",
                  fs::copy_options::overwrite_existing);
    std::ofstream(folder / "complete") << "written by window_capacity_bench\n";
    return true;
}

} // namespace

CapacityWorkspace capacityWorkspace(bool warnAll, std::string& error)
{
    CapacityWorkspace workspace;
    const fs::path folder =
        fs::weakly_canonical(fs::path(VEXOL_BIN_DIR) / ".." / "bench-data" / (warnAll ? "capacity-warn-all" : "capacity"));
    std::string stale;
    const bool reusable = fs::exists(folder / "complete") && pointDatabaseAtItsFiles(folder, stale);
    if (!reusable) {
        if (!stale.empty())
            std::fprintf(stderr, "window_capacity_bench: %s; writing %s afresh\n", stale.c_str(), folder.c_str());
        if (!writeWorkspace(folder, warnAll, error))
            return {};
    }
    workspace.folder = folder.string();
    workspace.database = platform::utf16ToUtf8(DemoDataWriter::databasePath(platform::utf8ToUtf16(workspace.folder)));
    workspace.publicFolder = (folder / "public").string();
    workspace.assays = kAssays;
    return workspace;
}
