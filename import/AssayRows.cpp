#include "AssayRows.h"

#include "input/SqlException.h"

#include <sqlite3.h>

#include <algorithm>

namespace {

// Peak rows per INSERT statement: SQLite's work per statement (starting, checking and ending it)
// then falls on many rows instead of one.
constexpr int peaksPerStatement = 32;

std::string insertPeaksSql(int rows)
{
    std::string sql = "INSERT INTO peak (assayid, name, time, area) VALUES ";
    for (int row = 0; row < rows; ++row) {
        const std::string first = std::to_string(2 + 3 * row);
        sql += row == 0 ? "" : ", ";
        sql += "(?1, ?" + first + ", ?" + std::to_string(3 + 3 * row) + ", ?" + std::to_string(4 + 3 * row) + ")";
    }
    return sql + ";";
}

bool isAscii(const std::u16string& text)
{
    return std::all_of(text.begin(), text.end(), [](char16_t c) { return c < 0x80; });
}

// Text goes in as SQLite's own UTF-16 conversion makes it, so that a row is the same bytes however
// it was bound (a leading byte-order mark, say, is dropped by that conversion). ASCII, nearly every
// peak name, needs no conversion and is bound as the UTF-8 it already is. Both stay in place until
// the statement has run: `scratch` is not touched again before that.
void bindText(sqlite3_stmt* statement, int index, const std::u16string& text, std::string& scratch)
{
    if (isAscii(text)) {
        scratch.assign(text.begin(), text.end());
        sqlite3_bind_text(statement, index, scratch.data(), static_cast<int>(scratch.size()), SQLITE_STATIC);
    } else {
        sqlite3_bind_text16(statement, index, text.data(), static_cast<int>(text.size() * sizeof(char16_t)), SQLITE_STATIC);
    }
}

} // namespace

AssayRows::AssayRows(sqlite3* handle) : handle_(handle)
{
    auto prepare = [&](const std::string& text) {
        const char* sql = text.c_str();
        sqlite3_stmt* statement = nullptr;
        const int result = sqlite3_prepare_v3(handle_, sql, -1, SQLITE_PREPARE_PERSISTENT, &statement, nullptr);
        if (result != SQLITE_OK) {
            DataBase::SqlException failure(sqlite3_errmsg(handle_), sql, result);
            for (sqlite3_stmt* prepared : statements_)
                sqlite3_finalize(prepared);
            throw failure;
        }
        statements_.push_back(statement);
        return statement;
    };
    begin_ = prepare("BEGIN IMMEDIATE;");
    commit_ = prepare("COMMIT;");
    rollback_ = prepare("ROLLBACK;");
    insertAssay_ = prepare("INSERT INTO assay (id, filename, sample, mixture, date, iscalibration, isdeleted, ishidden) "
                           "VALUES (?, ?, ?, ?, ?, ?, ?, ?);");
    insertPeak_ = prepare(insertPeaksSql(1));
    insertPeakRun_ = prepare(insertPeaksSql(peaksPerStatement));
    deletePeaks_ = prepare("DELETE FROM peak WHERE assayid = ?;");
    deleteAssay_ = prepare("DELETE FROM assay WHERE id = ?;");
}

AssayRows::~AssayRows()
{
    for (sqlite3_stmt* statement : statements_)
        sqlite3_finalize(statement);
}

void AssayRows::run(sqlite3_stmt* statement)
{
    const int result = sqlite3_step(statement);
    if (result != SQLITE_DONE) {
        DataBase::SqlException failure(sqlite3_errmsg(handle_), sqlite3_sql(statement), result);
        sqlite3_reset(statement);
        throw failure;
    }
    sqlite3_reset(statement);
}

void AssayRows::rollback()
{
    // Outside a transaction (BEGIN itself failed, or SQLite already rolled back) there is nothing
    // to undo; inside one this cannot fail short of a lost connection, which the next BEGIN reports.
    if (!sqlite3_get_autocommit(handle_)) {
        sqlite3_step(rollback_);
        sqlite3_reset(rollback_);
    }
}

int64_t AssayRows::insert(const HostAssayRow& assay, const std::vector<Peak>& peaks)
{
    run(begin_);
    try {
        if (assay.id != 0)
            sqlite3_bind_int64(insertAssay_, 1, assay.id);
        else
            sqlite3_bind_null(insertAssay_, 1);
        sqlite3_bind_text16(insertAssay_, 2, assay.fileName.data(), static_cast<int>(assay.fileName.size() * sizeof(char16_t)), SQLITE_TRANSIENT);
        sqlite3_bind_text16(insertAssay_, 3, assay.sample.data(), static_cast<int>(assay.sample.size() * sizeof(char16_t)), SQLITE_TRANSIENT);
        sqlite3_bind_text16(insertAssay_, 4, assay.mixture.data(), static_cast<int>(assay.mixture.size() * sizeof(char16_t)), SQLITE_TRANSIENT);
        sqlite3_bind_int64(insertAssay_, 5, assay.date);
        sqlite3_bind_int(insertAssay_, 6, assay.isCalibration ? 1 : 0);
        sqlite3_bind_int(insertAssay_, 7, assay.isDeleted ? 1 : 0);
        sqlite3_bind_int(insertAssay_, 8, assay.isHidden ? 1 : 0);
        run(insertAssay_);
        const int64_t assayId = sqlite3_last_insert_rowid(handle_);
        // Rows in the table's order, a run of them per statement while enough are left.
        std::vector<std::string> names(peaksPerStatement);
        std::size_t next = 0;
        while (next < peaks.size()) {
            const std::size_t rows = peaks.size() - next >= static_cast<std::size_t>(peaksPerStatement) ? peaksPerStatement : 1;
            sqlite3_stmt* statement = rows == 1 ? insertPeak_ : insertPeakRun_;
            sqlite3_bind_int64(statement, 1, assayId);
            for (std::size_t row = 0; row < rows; ++row) {
                const Peak& peak = peaks[next + row];
                const int first = 2 + 3 * static_cast<int>(row);
                bindText(statement, first, peak.name, names[row]);
                sqlite3_bind_double(statement, first + 1, peak.time);
                sqlite3_bind_double(statement, first + 2, peak.area);
            }
            run(statement);
            next += rows;
        }
        run(commit_);
        return assayId;
    } catch (...) {
        // Out of memory midway, say: the transaction must not stay open for the next injection.
        rollback();
        throw;
    }
}

void AssayRows::withdraw(int64_t assayId)
{
    run(begin_);
    try {
        // Peaks first, by name: the importer does not lean on the schema's cascade for it.
        sqlite3_bind_int64(deletePeaks_, 1, assayId);
        run(deletePeaks_);
        sqlite3_bind_int64(deleteAssay_, 1, assayId);
        run(deleteAssay_);
        run(commit_);
    } catch (const DataBase::SqlException&) {
        rollback();
        throw;
    }
}
