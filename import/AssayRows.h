#pragma once
// The importer's writes to the host database: one assay row and its channel-1 peaks per
// transaction, through statements prepared once for the whole import. A thousand-peak table is a
// thousand rows, and an import of hundreds of files would otherwise spend its time parsing SQL.
#include "input/HostSchema.h"
#include "input/Peak.h"

#include <cstdint>
#include <string>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

class AssayRows {
public:
    // Prepares the statements on an open connection with the host's schema in place.
    // Raises DataBase::SqlException.
    explicit AssayRows(sqlite3* handle);
    ~AssayRows();
    AssayRows(const AssayRows&) = delete;
    AssayRows& operator=(const AssayRows&) = delete;

    // Begins a write transaction, adds the assay row and its peaks, and commits; the id of the
    // new assay. Nothing stays behind when it raises DataBase::SqlException.
    int64_t insert(const HostAssayRow& assay, const std::vector<Peak>& peaks);
    // Removes a committed assay and its peaks again, in one transaction. Raises.
    void withdraw(int64_t assayId);

private:
    class Statement;
    void run(sqlite3_stmt* statement);
    void rollback();

    sqlite3* handle_;
    std::vector<sqlite3_stmt*> statements_;
    sqlite3_stmt* begin_ = nullptr;
    sqlite3_stmt* commit_ = nullptr;
    sqlite3_stmt* rollback_ = nullptr;
    sqlite3_stmt* insertAssay_ = nullptr;
    sqlite3_stmt* insertPeak_ = nullptr;     // one row
    sqlite3_stmt* insertPeakRun_ = nullptr;  // a run of rows
    sqlite3_stmt* deletePeaks_ = nullptr;
    sqlite3_stmt* deleteAssay_ = nullptr;
};
