// The database layer's SQL functions and collation under exhausted memory: SQLite is C, so a fault
// inside them must come back as the statement's error, never as an exception through SQLite.
#include "FailingAllocation.h"

#include "input/Connection.h"
#include "input/HostSchema.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <string>

using DataBase::Connection;

namespace {

std::u16string column16(sqlite3_stmt* statement, int column)
{
    const void* text = sqlite3_column_text16(statement, column);
    return text ? std::u16string(static_cast<const char16_t*>(text)) : std::u16string(u"<NULL>");
}

} // namespace

TEST(DataBaseMemory, FunctionsFailTheStatementWithNoMemoryInsteadOfThrowing)
{
    Connection connection(nullptr);
    sqlite3_stmt* statement = DataBase::prepare(
        connection, u"SELECT lower('ЁЛКА'), upper('ёлка'), fold('ΣΑΣ'), title('ǆa'), unaccent('Ёжик'), "
                    u"'Ёлка' LIKE 'ё%', 'a' LIKE 'a!' ESCAPE '!';");
    bool completed = false;
    int refused = 0;
    for (std::size_t count = 0; !completed && count < 500; ++count) {
        sqlite3_reset(statement);
        int step = SQLITE_ERROR;
        {
            failing_allocation::Scope scope(count);
            step = sqlite3_step(statement);
            completed = !failing_allocation::fired();
        }
        if (step == SQLITE_ROW) {
            EXPECT_EQ(column16(statement, 0), u"ёлка") << "allocation " << count;
            EXPECT_EQ(column16(statement, 1), u"ЁЛКА");
            EXPECT_EQ(column16(statement, 2), u"σασ");
            EXPECT_EQ(column16(statement, 3), u"ǅA");
            EXPECT_EQ(column16(statement, 4), u"Ежик");
            EXPECT_EQ(sqlite3_column_int(statement, 5), 1);
            EXPECT_EQ(sqlite3_column_int(statement, 6), 0);
        } else {
            EXPECT_EQ(step, SQLITE_NOMEM) << "allocation " << count << ": " << sqlite3_errmsg(connection.handle());
            EXPECT_FALSE(completed);
            ++refused;
        }
    }
    sqlite3_finalize(statement);
    EXPECT_TRUE(completed);
    EXPECT_GT(refused, 0);
}

TEST(DataBaseMemory, Utf8NoCaseCollationNeedsNoMemory)
{
    Connection connection(nullptr);
    HostSchema::execute(connection.handle(), "PRAGMA encoding = 'UTF-8';");
    HostSchema::execute(connection.handle(),
                        "CREATE TABLE t (name TEXT COLLATE NOCASE);"
                        "INSERT INTO t VALUES ('абвг'), ('АБВ'), ('Ёж'), ('ежи'), ('b'), ('A'), ('a😀'), ('A😀z'),"
                        " (CAST(X'61FF62' AS TEXT));");
    sqlite3_stmt* statement = DataBase::prepare(
        connection, u"SELECT group_concat(hex(name), ','), sum(name = 'a😀'), sum(name = 'ЕЖ') "
                    u"FROM (SELECT name FROM t ORDER BY name);");
    for (std::size_t count : {0u, 1u, 2u}) {
        sqlite3_reset(statement);
        int step = SQLITE_ERROR;
        {
            failing_allocation::Scope scope(count);
            step = sqlite3_step(statement);
        }
        ASSERT_EQ(step, SQLITE_ROW) << sqlite3_errmsg(connection.handle());
        // Case and accents aside, in UTF-16 unit order; a shorter text before a longer one it begins;
        // an invalid byte compares as U+FFFD.
        const std::u16string order = column16(statement, 0);
        EXPECT_EQ(order, u"41,61F09F9880,41F09F98807A,61FF62,62,D090D091D092,D0B0D0B1D0B2D0B3,D081D0B6,D0B5D0B6D0B8");
        EXPECT_EQ(sqlite3_column_int(statement, 1), 1);
        EXPECT_EQ(sqlite3_column_int(statement, 2), 1);
    }
    sqlite3_finalize(statement);
}
