#include "ChromatogramSamples.h"

#include "input/AssayLoader.h"
#include "input/HostSchema.h"
#include "input/SqlException.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

using DataBase::Connection;
using samples::Block;

namespace {

class AssayLoaderTest : public ::testing::Test {
protected:
    AssayLoaderTest() : connection(folder.path16("host.db").c_str()) { HostSchema::create(connection.handle()); }

    // A chromatogram file with blocks for channels 1 and 2 and a table for channel 1 only.
    std::u16string chromatogram(const std::string& name, const std::string& passportXml)
    {
        Block one, two;
        one.number = 1;
        two.number = 2;
        std::string xml = "<root><passport>" + passportXml +
                          "</passport><channels><channel><number value='1'/><table>"
                          "<item><time value='1.5'/><area value='10'/><name value='метанол'/></item>"
                          "<item><time value='2.5'/><area value='20'/></item>"
                          "</table></channel></channels></root>";
        samples::writeBytes(folder.path(name), samples::container(1, {one, two}, xml));
        return folder.path16(name);
    }

    int64_t assay(const std::u16string& fileName, bool calibration = false)
    {
        HostAssayRow row;
        row.fileName = fileName;
        row.sample = u"Проба 1";
        row.mixture = u"Смесь";
        row.date = 1700000000;
        row.isCalibration = calibration;
        return HostSchema::insertAssay(connection.handle(), row);
    }

    void sql(const std::string& text) { HostSchema::execute(connection.handle(), text.c_str()); }

    samples::TempFolder folder;
    Connection connection;
};

TEST_F(AssayLoaderTest, ReadsTheRowPeaksInTimeOrderAndTheFile)
{
    int64_t id = assay(chromatogram("a.stg", "<volume title='Объём' value='1'/><volume title='' value='12.5 мл'/>"),
                       true);
    HostSchema::insertPeak(connection.handle(), {id, u"этанол", 3.0, 30});
    HostSchema::insertPeak(connection.handle(), {id, u"метанол", 1.0, 10});
    HostSchema::insertPeak(connection.handle(), {id, u"", 2.0, 20});

    int32_t fileResult = -100;
    std::optional<AssayRecord> record = loadAssay(connection, static_cast<int32_t>(id), &fileResult);
    ASSERT_TRUE(record.has_value());
    EXPECT_EQ(fileResult, 0);
    EXPECT_EQ(record->fileName, folder.path16("a.stg"));
    EXPECT_EQ(record->sample, u"Проба 1");
    EXPECT_EQ(record->mixture, u"Смесь");
    EXPECT_EQ(record->date, 1700000000);
    EXPECT_TRUE(record->isCalibration);
    EXPECT_EQ(record->volume, 12.5) << "the later volume counts, read up to the unit";
    ASSERT_EQ(record->peaks.size(), 3u);
    EXPECT_EQ(record->peaks[0].name, u"метанол");
    EXPECT_EQ(record->peaks[1].time, 2.0);
    EXPECT_EQ(record->peaks[2].area, 30);
    EXPECT_EQ(record->peaks[0].left, -1) << "database peaks keep the defaults";
    ASSERT_EQ(record->channelPeaks.size(), 2u);
    ASSERT_EQ(record->channelPeaks.at(1).size(), 2u);
    EXPECT_EQ(record->channelPeaks.at(1)[0].name, u"метанол");
    EXPECT_TRUE(record->channelPeaks.at(2).empty());
}

TEST_F(AssayLoaderTest, AssayWithoutPeaksGivesTheLeftJoinRow)
{
    int64_t id = assay(chromatogram("a.stg", ""));
    std::optional<AssayRecord> record = loadAssay(connection, static_cast<int32_t>(id));
    ASSERT_TRUE(record.has_value());
    ASSERT_EQ(record->peaks.size(), 1u);
    EXPECT_TRUE(record->peaks[0].name.empty());
    EXPECT_EQ(record->peaks[0].time, 0);
    EXPECT_EQ(record->peaks[0].area, 0);
    EXPECT_FALSE(record->isCalibration);
    EXPECT_EQ(record->volume, 0);
}

TEST_F(AssayLoaderTest, MissingDeletedHiddenAndNamelessAssaysGiveNothing)
{
    std::u16string file = chromatogram("a.stg", "");
    int64_t deleted = assay(file), hidden = assay(file), nameless = assay(file), empty = assay(u"");
    sql("UPDATE assay SET isdeleted = 1 WHERE id = " + std::to_string(deleted) + ";");
    sql("UPDATE assay SET ishidden = 5 WHERE id = " + std::to_string(hidden) + ";");
    sql("UPDATE assay SET filename = NULL WHERE id = " + std::to_string(nameless) + ";");
    HostSchema::insertPeak(connection.handle(), {nameless, u"метанол", 1, 1});
    for (int64_t id : {deleted, hidden, nameless, empty, int64_t{999}}) {
        SCOPED_TRACE(id);
        EXPECT_FALSE(loadAssay(connection, static_cast<int32_t>(id)).has_value());
    }
}

TEST_F(AssayLoaderTest, CalibrationFlagAndNullColumns)
{
    std::u16string file = chromatogram("a.stg", "");
    int64_t two = assay(file), null = assay(file, true);
    sql("UPDATE assay SET iscalibration = 2 WHERE id = " + std::to_string(two) + ";");
    sql("UPDATE assay SET iscalibration = NULL, sample = NULL, mixture = NULL, date = NULL WHERE id = " +
        std::to_string(null) + ";");
    sql("INSERT INTO peak (assayid, name, time, area) VALUES (" + std::to_string(null) + ", NULL, NULL, NULL);");
    EXPECT_TRUE(loadAssay(connection, static_cast<int32_t>(two))->isCalibration);
    std::optional<AssayRecord> record = loadAssay(connection, static_cast<int32_t>(null));
    ASSERT_TRUE(record.has_value());
    EXPECT_FALSE(record->isCalibration);
    EXPECT_TRUE(record->sample.empty());
    EXPECT_EQ(record->date, 0);
    ASSERT_EQ(record->peaks.size(), 1u);
    EXPECT_TRUE(record->peaks[0].name.empty());
}

TEST_F(AssayLoaderTest, VolumeUsesThePointOnlyAndTheExactName)
{
    struct Case {
        const char* passport;
        double volume;
    };
    for (const Case& c : {Case{"<volume title='' value='0,5'/>", 0}, Case{"<Volume title='' value='3'/>", 0},
                          Case{"<volume title='' value='  2.5'/>", 2.5}, Case{"<volume title=''/>", 0}}) {
        SCOPED_TRACE(c.passport);
        int64_t id = assay(chromatogram("v.stg", c.passport));
        std::optional<AssayRecord> record = loadAssay(connection, static_cast<int32_t>(id));
        ASSERT_TRUE(record.has_value());
        EXPECT_EQ(record->volume, c.volume);
    }
}

TEST_F(AssayLoaderTest, UnreadableFileStillGivesTheRecord)
{
    int64_t id = assay(folder.path16("missing.stg"));
    HostSchema::insertPeak(connection.handle(), {id, u"метанол", 1, 2});
    int32_t fileResult = 0;
    std::optional<AssayRecord> record = loadAssay(connection, static_cast<int32_t>(id), &fileResult);
    ASSERT_TRUE(record.has_value());
    EXPECT_EQ(fileResult, -1);
    EXPECT_EQ(record->peaks.size(), 1u);
    EXPECT_TRUE(record->channelPeaks.empty());
    EXPECT_EQ(record->volume, 0);
    EXPECT_EQ(fileLoadErrorText(fileResult, record->fileName),
              u"Ошибка -1. Не удалось открыть файл.\n'" + record->fileName + u"'.");
}

TEST_F(AssayLoaderTest, IdIsBoundAsUnsigned32Bits)
{
    std::u16string file = chromatogram("a.stg", "");
    HostAssayRow row;
    row.id = 4294967295LL;
    row.fileName = file;
    HostSchema::insertAssay(connection.handle(), row);
    EXPECT_TRUE(loadAssay(connection, -1).has_value());
}

TEST_F(AssayLoaderTest, DatabaseWithoutTheExpectedColumnsRaisesAndConnectionStaysUsable)
{
    Connection other(folder.path16("other.db").c_str());
    HostSchema::execute(other.handle(), "CREATE TABLE assay (id INTEGER); CREATE TABLE peak (id INTEGER);");
    try {
        loadAssay(other, 1);
        FAIL();
    } catch (const DataBase::SqlException& e) {
        EXPECT_EQ(e.code(), SQLITE_ERROR);
        EXPECT_NE(std::string(e.what()).find("no such column"), std::string::npos);
    }
    EXPECT_EQ(sqlite3_next_stmt(other.handle(), nullptr), nullptr);
}

} // namespace
