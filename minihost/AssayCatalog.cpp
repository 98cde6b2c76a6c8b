#include "AssayCatalog.h"

#include <sqlite3.h>

namespace {

QString textColumn(sqlite3_stmt* statement, int column)
{
    const void* text = sqlite3_column_text16(statement, column);
    const int bytes = sqlite3_column_bytes16(statement, column);
    if (!text || bytes <= 0)
        return {};
    return QString::fromUtf16(static_cast<const char16_t*>(text), bytes / 2);
}

} // namespace

std::vector<AssayCatalogEntry> AssayCatalog::read(const QString& databasePath, QString* error)
{
    std::vector<AssayCatalogEntry> entries;
    if (error)
        error->clear();
    sqlite3* handle = nullptr;
    // Read-only and never created: the host's dialog must not leave an empty database behind.
    int result = sqlite3_open_v2(databasePath.toUtf8().constData(), &handle, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* statement = nullptr;
    if (result == SQLITE_OK)
        result = sqlite3_prepare_v2(handle,
                                    "SELECT id, filename, sample, mixture, date, iscalibration FROM assay "
                                    "WHERE isdeleted = 0 AND ishidden = 0 ORDER BY id;",
                                    -1, &statement, nullptr);
    if (result == SQLITE_OK) {
        while ((result = sqlite3_step(statement)) == SQLITE_ROW) {
            AssayCatalogEntry entry;
            entry.id = static_cast<int32_t>(sqlite3_column_int64(statement, 0));
            entry.fileName = textColumn(statement, 1);
            entry.sample = textColumn(statement, 2);
            entry.mixture = textColumn(statement, 3);
            entry.date = sqlite3_column_int64(statement, 4);
            entry.isCalibration = sqlite3_column_int(statement, 5) != 0;
            entries.push_back(entry);
        }
        if (result == SQLITE_DONE)
            result = SQLITE_OK;
    }
    if (result != SQLITE_OK) {
        if (error)
            *error = QString::fromUtf8(handle ? sqlite3_errmsg(handle) : sqlite3_errstr(result));
        entries.clear();
    }
    sqlite3_finalize(statement);
    sqlite3_close(handle);
    return entries;
}
