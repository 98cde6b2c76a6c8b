#pragma once
// An open connection to the host's SQLite database, ready for the system's queries: foreign keys
// enforced, and Unicode-aware text functions and NOCASE collation in place of SQLite's ASCII ones.
#include "platform/Format.h"

#include <initializer_list>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace DataBase {

class Connection {
public:
    // How long a statement waits for a lock another connection holds before it fails as busy.
    static constexpr int busyTimeoutMilliseconds = 5000;

    // Opens the database file named by `connectionString` (a plain file name, created when absent);
    // a null name opens a private, empty, temporary database. Raises SqlException.
    explicit Connection(const char16_t* connectionString);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // The connection string the host named (DataBaseConnectionBase); null when it named none.
    static const char16_t* hostConnectionString();

    sqlite3* handle() const { return handle_; }

private:
    sqlite3* handle_ = nullptr;
};

// Formats the SQL text printf-style in the C locale and prepares it. The caller owns the statement
// and finalizes it. Raises SqlException.
sqlite3_stmt* prepare(Connection& connection, std::u16string_view format,
                      std::initializer_list<platform::FormatArg> arguments = {});

} // namespace DataBase
