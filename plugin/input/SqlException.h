#pragma once
// The one way the database layer reports a failure: SQLite's own message, its result code, and
// the SQL text of the statement concerned (empty when there is none). The exception keeps its own
// copies, so it stays valid after the statement and the connection are gone.
#include <cstdint>
#include <exception>
#include <string>

namespace DataBase {

class SqlException : public std::exception {
public:
    SqlException(std::string message, std::string sql, int32_t code);
    ~SqlException() override;
    const char* what() const noexcept override;

    const std::string& message() const { return message_; }
    int32_t code() const { return code_; }
    const std::string& sql() const { return sql_; }

private:
    std::string message_;
    int32_t code_;
    std::string sql_;
};

} // namespace DataBase
