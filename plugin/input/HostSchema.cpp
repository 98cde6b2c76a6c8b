#include "input/HostSchema.h"

#include "input/SqlException.h"

#include <sqlite3.h>

namespace {

// Peak columns do not reuse assay column names: the assay query names some of them unqualified.
const char* const schema =
    "CREATE TABLE IF NOT EXISTS assay ("
    "id INTEGER PRIMARY KEY, "
    "filename TEXT, "
    "sample TEXT, "
    "mixture TEXT, "
    "date INTEGER, "
    "iscalibration INTEGER, "
    "isdeleted INTEGER NOT NULL DEFAULT 0, "
    "ishidden INTEGER NOT NULL DEFAULT 0);"
    "CREATE TABLE IF NOT EXISTS peak ("
    "id INTEGER PRIMARY KEY, "
    "assayid INTEGER NOT NULL REFERENCES assay(id) ON DELETE CASCADE, "
    "name TEXT, "
    "time REAL, "
    "area REAL);"
    // Led by the assay id, and in time order within an assay, so that the loader's query reads an
    // assay's peaks already sorted instead of sorting them on every load.
    "CREATE INDEX IF NOT EXISTS peak_assayid ON peak(assayid, time);";

[[noreturn]] void raise(sqlite3* handle, int result, const char* sql)
{
    throw DataBase::SqlException(handle ? sqlite3_errmsg(handle) : sqlite3_errstr(result), sql ? sql : "", result);
}

class Statement {
public:
    Statement(sqlite3* handle, const char* sql) : handle_(handle)
    {
        int result = sqlite3_prepare_v2(handle, sql, -1, &statement_, nullptr);
        if (result != SQLITE_OK)
            raise(handle, result, sql);
    }
    ~Statement() { sqlite3_finalize(statement_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    void bindText(int index, const std::u16string& text)
    {
        sqlite3_bind_text16(statement_, index, text.data(), static_cast<int>(text.size() * sizeof(char16_t)),
                            SQLITE_TRANSIENT);
    }
    sqlite3_stmt* get() const { return statement_; }

    void run()
    {
        int result = sqlite3_step(statement_);
        if (result != SQLITE_DONE)
            raise(handle_, result, sqlite3_sql(statement_));
    }

private:
    sqlite3* handle_;
    sqlite3_stmt* statement_ = nullptr;
};

} // namespace

const char* HostSchema::createStatements()
{
    return schema;
}

void HostSchema::create(sqlite3* handle)
{
    execute(handle, schema);
}

void HostSchema::execute(sqlite3* handle, const char* sql)
{
    char* error = nullptr;
    int result = sqlite3_exec(handle, sql, nullptr, nullptr, &error);
    if (result != SQLITE_OK) {
        std::string message = error ? error : sqlite3_errstr(result);
        sqlite3_free(error);
        throw DataBase::SqlException(message, sql, result);
    }
}

int64_t HostSchema::insertAssay(sqlite3* handle, const HostAssayRow& row)
{
    Statement statement(handle,
                        "INSERT INTO assay (id, filename, sample, mixture, date, iscalibration, isdeleted, ishidden) "
                        "VALUES (?, ?, ?, ?, ?, ?, ?, ?);");
    if (row.id != 0)
        sqlite3_bind_int64(statement.get(), 1, row.id);
    statement.bindText(2, row.fileName);
    statement.bindText(3, row.sample);
    statement.bindText(4, row.mixture);
    sqlite3_bind_int64(statement.get(), 5, row.date);
    sqlite3_bind_int(statement.get(), 6, row.isCalibration ? 1 : 0);
    sqlite3_bind_int(statement.get(), 7, row.isDeleted ? 1 : 0);
    sqlite3_bind_int(statement.get(), 8, row.isHidden ? 1 : 0);
    statement.run();
    return sqlite3_last_insert_rowid(handle);
}

void HostSchema::insertPeak(sqlite3* handle, const HostPeakRow& row)
{
    Statement statement(handle, "INSERT INTO peak (assayid, name, time, area) VALUES (?, ?, ?, ?);");
    sqlite3_bind_int64(statement.get(), 1, row.assayId);
    statement.bindText(2, row.name);
    sqlite3_bind_double(statement.get(), 3, row.time);
    sqlite3_bind_double(statement.get(), 4, row.area);
    statement.run();
}
