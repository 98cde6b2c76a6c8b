#include "input/Connection.h"

#include "input/DataBaseConnectionBase.h"
#include "input/SqlException.h"
#include "input/UnicodeFunctions.h"

#include <sqlite3.h>

#include <string>

namespace DataBase {

namespace {

std::string messageOf(sqlite3* handle, int code)
{
    const char* text = handle ? sqlite3_errmsg(handle) : sqlite3_errstr(code);
    return text ? text : "";
}

} // namespace

Connection::Connection(const char16_t* connectionString)
{
    int result = sqlite3_open16(connectionString, &handle_);
    // The host writes the same database; a lock held for a moment must not fail the read at once.
    if (result == SQLITE_OK)
        result = sqlite3_busy_timeout(handle_, busyTimeoutMilliseconds);
    if (result == SQLITE_OK)
        result = sqlite3_db_config(handle_, SQLITE_DBCONFIG_ENABLE_FKEY, 1, nullptr);
    if (result == SQLITE_OK)
        result = registerUnicodeFunctions(handle_);
    if (result != SQLITE_OK) {
        // The destructor does not run for a constructor that raises: close here, after the message
        // has been taken from the handle.
        std::string message = messageOf(handle_, result);
        sqlite3_close(handle_);
        handle_ = nullptr;
        throw SqlException(message, std::string(), result);
    }
}

Connection::~Connection()
{
    sqlite3_close(handle_);
}

const char16_t* Connection::hostConnectionString()
{
    return DataBaseConnectionBase::instance().uri();
}

sqlite3_stmt* prepare(Connection& connection, std::u16string_view format,
                      std::initializer_list<platform::FormatArg> arguments)
{
    std::u16string text = platform::format(format, arguments);
    sqlite3_stmt* statement = nullptr;
    int result = sqlite3_prepare16_v2(connection.handle(), text.c_str(), -1, &statement, nullptr);
    if (result != SQLITE_OK) {
        std::string sql;
        if (statement) {
            const char* statementSql = sqlite3_sql(statement);
            sql = statementSql ? statementSql : "";
            sqlite3_finalize(statement);
        }
        throw SqlException(messageOf(connection.handle(), result), sql, result);
    }
    return statement;
}

} // namespace DataBase
