#include "ChromatogramSamples.h"

#include "input/AssayLoader.h"
#include "input/Connection.h"
#include "input/HostSchema.h"
#include "input/SqlException.h"
#include "platform/Text.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <chrono>
#include <filesystem>
#include <thread>
#include <optional>

using DataBase::Connection;
using DataBase::SqlException;

namespace {

// The single value of a one-row query, as UTF-16 text; nullopt for NULL.
std::optional<std::u16string> scalar(Connection& connection, std::u16string_view sql)
{
    sqlite3_stmt* statement = DataBase::prepare(connection, sql);
    std::optional<std::u16string> value;
    if (sqlite3_step(statement) == SQLITE_ROW && sqlite3_column_type(statement, 0) != SQLITE_NULL)
        value = static_cast<const char16_t*>(sqlite3_column_text16(statement, 0));
    sqlite3_finalize(statement);
    return value;
}

std::u16string text(Connection& connection, std::u16string_view sql)
{
    return scalar(connection, sql).value_or(u"<NULL>");
}

TEST(DataBase, MissingFileIsCreatedAndTheAssayQueryRaisesCodeOne)
{
    samples::TempFolder folder;
    std::u16string path = folder.path16("host.db");
    Connection connection(path.c_str());
    EXPECT_TRUE(std::filesystem::exists(folder.path("host.db")));
    try {
        loadAssay(connection, 1);
        FAIL() << "the query must raise";
    } catch (const SqlException& e) {
        EXPECT_EQ(e.code(), SQLITE_ERROR);
        EXPECT_STREQ(e.what(), "no such table: assay");
        EXPECT_EQ(e.message(), e.what());
        EXPECT_TRUE(e.sql().empty()) << "no statement came back";
    }
}

TEST(DataBase, NoConnectionStringOpensAPrivateDatabase)
{
    Connection connection(nullptr);
    EXPECT_THROW(loadAssay(connection, 1), SqlException);
    EXPECT_EQ(text(connection, u"SELECT 1 + 1;"), u"2");
}

TEST(DataBase, BadPathsAndBrokenDatabasesRaise)
{
    samples::TempFolder folder;
    std::u16string asFolder = folder.path16("");
    try {
        Connection connection(asFolder.c_str());
        FAIL() << "a folder cannot be opened as a database";
    } catch (const SqlException& e) {
        EXPECT_EQ(e.code(), SQLITE_CANTOPEN);
        EXPECT_FALSE(std::string(e.what()).empty());
    }

    samples::writeBytes(folder.path("garbage.db"), std::vector<unsigned char>(4096, 0x5A));
    std::u16string garbage = folder.path16("garbage.db");
    Connection corrupt(garbage.c_str());
    try {
        loadAssay(corrupt, 1);
        FAIL() << "a file that is no database must raise";
    } catch (const SqlException& e) {
        EXPECT_EQ(e.code(), SQLITE_NOTADB);
    }
}

TEST(DataBase, LockedDatabaseRaisesFromTheStepWithTheQueryText)
{
    samples::TempFolder folder;
    std::u16string path = folder.path16("host.db");
    Connection writer(path.c_str());
    HostSchema::create(writer.handle());
    Connection reader(path.c_str());
    EXPECT_FALSE(loadAssay(reader, 1).has_value()) << "the reader now knows the schema";

    HostSchema::execute(writer.handle(), "BEGIN EXCLUSIVE; INSERT INTO assay (filename) VALUES ('x');");
    sqlite3_busy_timeout(reader.handle(), 50);  // a lock that is never released: no need to wait long
    try {
        loadAssay(reader, 1);
        FAIL() << "an exclusively locked database must raise";
    } catch (const SqlException& e) {
        EXPECT_EQ(e.code(), SQLITE_BUSY);
        EXPECT_STREQ(e.what(), "database is locked");
        EXPECT_EQ(e.sql(), platform::utf16ToUtf8(assayQuery));
    }
    EXPECT_EQ(sqlite3_next_stmt(reader.handle(), nullptr), nullptr) << "the statement was finalized";
    HostSchema::execute(writer.handle(), "ROLLBACK;");
}

TEST(DataBase, AReadWaitsForALockHeldForAMoment)
{
    samples::TempFolder folder;
    std::u16string path = folder.path16("host.db");
    Connection writer(path.c_str());
    HostSchema::create(writer.handle());
    Connection reader(path.c_str());
    EXPECT_FALSE(loadAssay(reader, 1).has_value());

    // The host is in the middle of adding an assay; it commits a little later.
    HostSchema::execute(writer.handle(), "BEGIN EXCLUSIVE; INSERT INTO assay (filename) VALUES ('x');");
    std::thread host([&writer] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        HostSchema::execute(writer.handle(), "COMMIT;");
    });
    std::optional<AssayRecord> record;
    EXPECT_NO_THROW(record = loadAssay(reader, 1));
    host.join();
    ASSERT_TRUE(record.has_value());
    EXPECT_EQ(record->fileName, u"x");
}

TEST(DataBase, PrepareFormatsInTheCLocaleAndReportsTheSql)
{
    Connection connection(nullptr);
    sqlite3_stmt* statement = DataBase::prepare(connection, u"SELECT '%s', %d, %.2f;", {u"ё", 7, 2.5});
    ASSERT_EQ(sqlite3_step(statement), SQLITE_ROW);
    EXPECT_EQ(std::u16string(static_cast<const char16_t*>(sqlite3_column_text16(statement, 0))), u"ё");
    EXPECT_EQ(sqlite3_column_int(statement, 1), 7);
    EXPECT_EQ(sqlite3_column_double(statement, 2), 2.5) << "a comma would have made it a fourth column";
    EXPECT_EQ(sqlite3_column_count(statement), 3);
    sqlite3_finalize(statement);
    try {
        DataBase::prepare(connection, u"SELEKT 1;");
        FAIL();
    } catch (const SqlException& e) {
        EXPECT_EQ(e.code(), SQLITE_ERROR);
        EXPECT_NE(std::string(e.what()).find("syntax error"), std::string::npos);
    }
}

TEST(DataBase, UnicodeCaseFunctions)
{
    Connection connection(nullptr);
    EXPECT_EQ(text(connection, u"SELECT unicode_version();"), u"5.1.0.12");
    EXPECT_EQ(text(connection, u"SELECT upper('привет');"), u"ПРИВЕТ");
    EXPECT_EQ(text(connection, u"SELECT lower('ЁЛКА Straße');"), u"ёлка straße");
    EXPECT_EQ(text(connection, u"SELECT fold('ЁЛКА ΣΑΣ');"), u"ёлка σασ");
    EXPECT_EQ(text(connection, u"SELECT title('ǆabc');"), u"ǅABC") << "every unit takes its title-case form";
    EXPECT_EQ(text(connection, u"SELECT unaccent('Ёжик café Ångström');"), u"Ежик cafe Angstrom");
    EXPECT_EQ(text(connection, u"SELECT upper('a😀b');"), u"A😀B") << "surrogates pass unchanged";
    for (const char16_t* function : {u"upper", u"lower", u"fold", u"title", u"unaccent"})
        EXPECT_FALSE(scalar(connection, std::u16string(u"SELECT ") + function + u"(NULL);").has_value())
            << platform::utf16ToUtf8(function);
}

TEST(DataBase, LikeIgnoresCaseAndAccents)
{
    Connection connection(nullptr);
    EXPECT_EQ(text(connection, u"SELECT 'Ёлка' LIKE 'ё%';"), u"1");
    EXPECT_EQ(text(connection, u"SELECT 'ЕЛКА' LIKE 'ёлка';"), u"1");
    EXPECT_EQ(text(connection, u"SELECT 'Café' LIKE 'CAFE';"), u"1");
    EXPECT_EQ(text(connection, u"SELECT 'метанол' LIKE '_ет%л';"), u"1");
    EXPECT_EQ(text(connection, u"SELECT 'метанол' LIKE 'эт%';"), u"0");
    EXPECT_EQ(text(connection, u"SELECT 'abc' LIKE 'a%%c%';"), u"1");
    EXPECT_EQ(text(connection, u"SELECT 'ab' LIKE 'a_c';"), u"0");
    EXPECT_EQ(text(connection, u"SELECT '10%' LIKE '10!%' ESCAPE '!';"), u"1");
    EXPECT_EQ(text(connection, u"SELECT '100' LIKE '10!%' ESCAPE '!';"), u"0");
    EXPECT_EQ(text(connection, u"SELECT 'a' LIKE 'a!' ESCAPE '!';"), u"0");
    EXPECT_FALSE(scalar(connection, u"SELECT NULL LIKE 'a';").has_value());
    EXPECT_FALSE(scalar(connection, u"SELECT 'a' LIKE NULL;").has_value());
    // A pattern that would take exponential time with naive backtracking.
    EXPECT_EQ(text(connection, u"SELECT replace(hex(zeroblob(2000)), '0', 'a') LIKE "
                               u"replace(hex(zeroblob(40)), '00', '%a') || 'b';"),
              u"0");
}

TEST(DataBase, LikeFailureTexts)
{
    Connection connection(nullptr);
    for (auto [sql, message] :
         {std::pair{u"SELECT 'a' LIKE 'a' ESCAPE 'ab';", "ESCAPE expression must be a single character"},
          std::pair{u"SELECT 'a' LIKE 'a' ESCAPE '';", "ESCAPE expression must be a single character"},
          std::pair{u"SELECT 'a' LIKE replace(hex(zeroblob(25001)), '00', 'xx');",
                    "LIKE or GLOB pattern too complex"}}) {
        sqlite3_stmt* statement = DataBase::prepare(connection, sql);
        EXPECT_EQ(sqlite3_step(statement), SQLITE_ERROR);
        EXPECT_STREQ(sqlite3_errmsg(connection.handle()), message);
        sqlite3_finalize(statement);
    }
    EXPECT_EQ(text(connection, u"SELECT 'a' LIKE replace(hex(zeroblob(25000)), '00', '%a');"), u"0")
        << "50000 bytes are still allowed";
}

TEST(DataBase, NoCaseCollationForUtf8AndUtf16Databases)
{
    for (const char* encoding : {"UTF-8", "UTF-16le"}) {
        SCOPED_TRACE(encoding);
        Connection connection(nullptr);
        HostSchema::execute(connection.handle(), (std::string("PRAGMA encoding = '") + encoding + "';").c_str());
        HostSchema::execute(connection.handle(),
                            "CREATE TABLE t (name TEXT COLLATE NOCASE);"
                            "INSERT INTO t VALUES ('абвг'), ('АБВ'), ('Ёж'), ('ежи'), ('b'), ('A');");
        EXPECT_EQ(text(connection, u"SELECT 'абв' = 'АБВ' COLLATE NOCASE;"), u"1");
        EXPECT_EQ(text(connection, u"SELECT 'абв' < 'абвг' COLLATE NOCASE;"), u"1");
        EXPECT_EQ(text(connection, u"SELECT 'Ёж' = 'ЕЖ' COLLATE NOCASE;"), u"1");
        EXPECT_EQ(text(connection, u"SELECT group_concat(name, ',') FROM (SELECT name FROM t ORDER BY name);"),
                  u"A,b,АБВ,абвг,Ёж,ежи");
        EXPECT_EQ(text(connection, u"SELECT count(*) FROM t WHERE name = 'абв';"), u"1");
    }
}

} // namespace
