#include "input/SqlException.h"

#include <utility>

namespace DataBase {

SqlException::SqlException(std::string message, std::string sql, int32_t code)
    : message_(std::move(message)), code_(code), sql_(std::move(sql))
{
}

SqlException::~SqlException() = default;

const char* SqlException::what() const noexcept
{
    return message_.c_str();
}

} // namespace DataBase
