#include "input/AssayLoader.h"

#include "input/CVantrelFile4.h"
#include "input/SqlException.h"
#include "platform/Format.h"
#include "platform/NumberParse.h"

#include <sqlite3.h>

#include <string>

const char16_t* const assayQuery =
    u"SELECT filename, sample, mixture, date, iscalibration, peak.name, peak.time, peak.area FROM [assay] "
    u"LEFT JOIN [peak] ON assayid = assay.id WHERE assay.id = ? AND isdeleted = 0 AND ishidden = 0 ORDER BY time;";

namespace {

enum Column { FileName, Sample, Mixture, Date, IsCalibration, PeakName, PeakTime, PeakArea };

bool isNull(sqlite3_stmt* statement, int column)
{
    return sqlite3_column_type(statement, column) == SQLITE_NULL;
}

std::u16string textColumn(sqlite3_stmt* statement, int column)
{
    if (isNull(statement, column))
        return {};
    const void* text = sqlite3_column_text16(statement, column);
    int bytes = sqlite3_column_bytes16(statement, column);
    if (!text || bytes <= 0)
        return {};
    return std::u16string(static_cast<const char16_t*>(text), static_cast<std::size_t>(bytes) / sizeof(char16_t));
}

double doubleColumn(sqlite3_stmt* statement, int column)
{
    return isNull(statement, column) ? 0.0 : sqlite3_column_double(statement, column);
}

// Finalizes the statement on every way out of the query, exceptions included.
class StatementGuard {
public:
    explicit StatementGuard(sqlite3_stmt* statement) : statement_(statement) {}
    ~StatementGuard() { sqlite3_finalize(statement_); }
    StatementGuard(const StatementGuard&) = delete;
    StatementGuard& operator=(const StatementGuard&) = delete;

private:
    sqlite3_stmt* statement_;
};

void readRows(sqlite3_stmt* statement, AssayRecord& record)
{
    int result;
    while ((result = sqlite3_step(statement)) == SQLITE_ROW) {
        if (record.fileName.empty()) {
            record.fileName = textColumn(statement, FileName);
            record.sample = textColumn(statement, Sample);
            record.mixture = textColumn(statement, Mixture);
            record.date = isNull(statement, Date) ? 0 : sqlite3_column_int64(statement, Date);
            record.isCalibration = !isNull(statement, IsCalibration) && sqlite3_column_int(statement, IsCalibration) != 0;
        }
        Peak peak;
        peak.name = textColumn(statement, PeakName);
        peak.time = doubleColumn(statement, PeakTime);
        peak.area = doubleColumn(statement, PeakArea);
        record.peaks.push_back(std::move(peak));
    }
    if (result != SQLITE_DONE) {
        const char* sql = sqlite3_sql(statement);
        throw DataBase::SqlException(sqlite3_errstr(result), sql ? sql : "", result);
    }
}

// The last parameter named exactly "volume" counts; a later one in the passport overrides.
double volumeOf(const Passport& passport)
{
    double volume = 0;
    for (const PassportParameter& parameter : passport.parameters)
        if (parameter.name == u"volume")
            volume = platform::parseDoubleLoose(parameter.value);
    return volume;
}

} // namespace

std::optional<AssayRecord> loadAssay(DataBase::Connection& connection, int32_t id, int32_t* fileResult)
{
    if (fileResult)
        *fileResult = 0;
    AssayRecord record;
    // Assays carry tens to hundreds of named peaks; starting with room for them saves the
    // reallocations, whose freed blocks make the C library hand memory back and forth to the system.
    record.peaks.reserve(256);
    {
        sqlite3_stmt* statement = DataBase::prepare(connection, assayQuery);
        StatementGuard guard(statement);
        sqlite3_bind_int64(statement, 1, static_cast<sqlite3_int64>(static_cast<uint32_t>(id)));
        readRows(statement, record);
    }
    if (record.fileName.empty())
        return std::nullopt;

    CVantrelFile4 file;
    int32_t result = file.load(record.fileName);
    if (fileResult)
        *fileResult = result;
    if (result == 0) {
        record.volume = volumeOf(file.passport);
        for (const Channel& channel : file.channels)
            record.channelPeaks[channel.number] = channel.peaks;
    }
    return record;
}

std::u16string fileLoadErrorText(int32_t code, const std::u16string& fileName)
{
    return platform::format(u"Ошибка %d. Не удалось открыть файл.\n'%s'.", {code, fileName});
}
