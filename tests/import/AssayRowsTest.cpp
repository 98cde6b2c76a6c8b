// The importer's database rows: whatever way a peak table is cut into statements and its names
// bound, the rows are the ones a plain one-row-at-a-time insert writes, and a failure anywhere
// leaves no row behind.
#include "AssayRows.h"

#include "input/Connection.h"
#include "input/HostSchema.h"
#include "input/SqlException.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <string>
#include <vector>

namespace {

std::vector<Peak> peakTable(std::size_t count)
{
    const std::u16string names[] = {u"Methanol", u"", u"Бензол", std::u16string(u"nul\0inside", 10), u"\xFEFF" u"mark first",
                                    u"\U0001F600", u"tab\tand \"quotes\""};
    std::vector<Peak> peaks(count);
    for (std::size_t i = 0; i < count; ++i) {
        peaks[i].name = names[i % std::size(names)];
        peaks[i].time = 0.5 + 0.01 * static_cast<double>(i);
        peaks[i].area = 1000.0 / static_cast<double>(i + 1);
    }
    return peaks;
}

// Every row of both tables as SQLite stores it: text as its bytes, numbers exactly.
std::vector<std::string> rowsOf(sqlite3* handle)
{
    std::vector<std::string> rows;
    for (const char* sql : {"SELECT id, quote(filename), quote(sample), quote(mixture), date, iscalibration, isdeleted, ishidden FROM assay ORDER BY id",
                            "SELECT id, assayid, hex(name), quote(time), quote(area), typeof(name) FROM peak ORDER BY id"}) {
        sqlite3_stmt* statement = nullptr;
        EXPECT_EQ(sqlite3_prepare_v2(handle, sql, -1, &statement, nullptr), SQLITE_OK);
        while (sqlite3_step(statement) == SQLITE_ROW) {
            std::string row;
            for (int c = 0; c < sqlite3_column_count(statement); ++c) {
                const unsigned char* text = sqlite3_column_text(statement, c);
                row += text ? reinterpret_cast<const char*>(text) : "NULL";
                row += '|';
            }
            rows.push_back(row);
        }
        sqlite3_finalize(statement);
    }
    return rows;
}

HostAssayRow assayRow(int n)
{
    HostAssayRow row;
    row.fileName = u"/data/chromatograms/run" + std::u16string(1, static_cast<char16_t>(u'0' + n)) + u".stg";
    row.sample = u"Проба & sample";
    row.mixture = n % 2 ? u"Смесь" : u"";
    row.date = 1710232200 + n;
    row.isCalibration = n % 2 == 1;
    return row;
}

TEST(AssayRows, RowsEqualThoseOfAPlainInsertForEveryTableLength)
{
    // Around the length of a run of rows per statement, so that every way of cutting a table is met.
    const std::size_t lengths[] = {0, 1, 2, 31, 32, 33, 63, 64, 65, 100, 1000};
    DataBase::Connection ours(nullptr);
    DataBase::Connection plain(nullptr);
    HostSchema::create(ours.handle());
    HostSchema::create(plain.handle());
    AssayRows rows(ours.handle());
    int n = 0;
    for (std::size_t length : lengths) {
        const std::vector<Peak> peaks = peakTable(length);
        const HostAssayRow assay = assayRow(n++);
        const int64_t id = rows.insert(assay, peaks);
        const int64_t plainId = HostSchema::insertAssay(plain.handle(), assay);
        EXPECT_EQ(id, plainId);
        for (const Peak& peak : peaks)
            HostSchema::insertPeak(plain.handle(), {plainId, peak.name, peak.time, peak.area});
    }
    const std::vector<std::string> expected = rowsOf(plain.handle());
    EXPECT_EQ(expected.size(), std::size(lengths) + 1391u);
    EXPECT_EQ(rowsOf(ours.handle()), expected);
}

TEST(AssayRows, AFailureAtAnyRowLeavesNothingAndTheNextInsertWorks)
{
    DataBase::Connection connection(nullptr);
    HostSchema::create(connection.handle());
    AssayRows rows(connection.handle());
    // The failing row: first, inside the first run of rows, the last row of a run, a row on its own.
    for (int failing : {1, 5, 32, 70}) {
        const std::string trigger = "CREATE TRIGGER refuse BEFORE INSERT ON peak WHEN (SELECT count(*) FROM peak) >= " +
                                    std::to_string(failing - 1) + " BEGIN SELECT RAISE(ABORT, 'disk on fire'); END;";
        HostSchema::execute(connection.handle(), trigger.c_str());
        EXPECT_THROW(rows.insert(assayRow(1), peakTable(70)), DataBase::SqlException) << failing;
        EXPECT_TRUE(sqlite3_get_autocommit(connection.handle())) << "the transaction is closed";
        EXPECT_TRUE(rowsOf(connection.handle()).empty()) << failing;
        HostSchema::execute(connection.handle(), "DROP TRIGGER refuse;");
    }
    const int64_t id = rows.insert(assayRow(2), peakTable(70));
    EXPECT_EQ(rowsOf(connection.handle()).size(), 71u);
    rows.withdraw(id);
    EXPECT_TRUE(rowsOf(connection.handle()).empty()) << "the assay and its peaks are withdrawn";
}

TEST(AssayRows, ABusyDatabaseIsReportedAndLeavesNothing)
{
    const std::string path = testing::TempDir() + "/assay-rows-busy.db";
    std::remove(path.c_str());
    DataBase::Connection holder(std::u16string(path.begin(), path.end()).c_str());
    HostSchema::create(holder.handle());
    DataBase::Connection ours(std::u16string(path.begin(), path.end()).c_str());
    sqlite3_busy_timeout(ours.handle(), 0);
    AssayRows rows(ours.handle());
    HostSchema::execute(holder.handle(), "BEGIN IMMEDIATE;");
    EXPECT_THROW(rows.insert(assayRow(1), peakTable(40)), DataBase::SqlException);
    HostSchema::execute(holder.handle(), "ROLLBACK;");
    EXPECT_TRUE(sqlite3_get_autocommit(ours.handle()));
    EXPECT_TRUE(rowsOf(ours.handle()).empty());
    rows.insert(assayRow(1), peakTable(40));
    EXPECT_EQ(rowsOf(holder.handle()).size(), 41u);
    std::remove(path.c_str());
}

} // namespace
