// dvinar-batch run as a program on the built-in demo data, as automation would run it.
#include "DemoDataWriter.h"
#include "engine/Calculation.h"
#include "engine/ComponentTable.h"
#include "engine/MessageLog.h"
#include "input/AssayLoader.h"
#include "input/Connection.h"
#include "report/ReportCommands.h"
#include "ReportTestSupport.h"

#include "BatchRun.h"
#include "CsvFields.h"
#include "platform/FileSeam.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <regex>
#include <sqlite3.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace {

struct BatchOutcome {
    int exitCode = -1;
    std::string out;
    std::string err;
};

class DvinarBatchTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::u16string error;
        demo = folders.root / "demo";
        ASSERT_TRUE(DemoDataWriter::write(platform::utf8ToUtf16(demo.string()), true, error))
            << platform::utf16ToUtf8(error);
        database = platform::utf16ToUtf8(DemoDataWriter::databasePath(platform::utf8ToUtf16(demo.string())));
        components = platform::utf16ToUtf8(DemoDataWriter::componentTablePath(platform::utf8ToUtf16(demo.string())));
        folders.installShippedTemplate();
    }

    // Runs the program with the test's public documents folder and the given locale.
    BatchOutcome run(const std::string& arguments, const std::string& locale = "ru_RU.UTF-8")
    {
        const std::filesystem::path out = folders.root / "stdout.txt";
        const std::filesystem::path err = folders.root / "stderr.txt";
        const std::string command = "env LC_ALL=" + locale + " VANTREL_PUBLIC_DOCUMENTS='" +
                                    folders.publicFolder.string() + "' TMPDIR='" + folders.tempFolder.string() + "' '" +
                                    VEXOL_BIN_DIR "/dvinar-batch' " + arguments + " >'" + out.string() + "' 2>'" +
                                    err.string() + "'";
        const int status = std::system(command.c_str());
        BatchOutcome outcome;
        outcome.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        outcome.out = ReportFolders::readFile(out);
        outcome.err = ReportFolders::readFile(err);
        return outcome;
    }

    std::string path(const char* name) const { return "'" + (folders.root / name).string() + "'"; }
    std::string demoArguments() const { return "--db '" + database + "' --ids 1,2,3,4,5,6,7,8 --components '" + components + "'"; }

    ReportFolders folders;
    std::filesystem::path demo;
    std::string database;
    std::string components;
};

std::string withoutCreationDate(const std::string& text)
{
    return std::regex_replace(text, std::regex("Дата создания: <b>[^<]*</b>"), "");
}

QJsonObject parseJson(const std::string& text)
{
    QJsonParseError error {};
    QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(text), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    return document.object();
}

} // namespace

TEST_F(DvinarBatchTest, DemoRunGivesTheResultAsJson)
{
    BatchOutcome outcome = run(demoArguments() + " --ids 3,1,2,8,4,5,6,7,3,1 --dev-control --json -");
    ASSERT_EQ(outcome.exitCode, 0) << outcome.err;
    const QJsonObject json = parseJson(outcome.out);
    EXPECT_EQ(json.keys(), (QStringList{"assays", "calibration", "hasCalibration", "identification", "messages",
                                        "provenance", "quantitation"}));

    const QJsonArray assays = json["assays"].toArray();
    ASSERT_EQ(assays.size(), 8);  // the repeated ids were skipped
    QList<int> ids;
    for (const QJsonValue& value : assays)
        ids << value.toObject()["id"].toInt();
    EXPECT_EQ(ids, (QList<int>{3, 1, 2, 8, 4, 5, 6, 7}));  // in the order of --ids
    QStringList calibrationIds;
    for (const QJsonValue& value : assays) {
        const QJsonObject assay = value.toObject();
        EXPECT_EQ(assay.keys(), (QStringList{"channels", "date", "fileName", "fileResult", "id", "isCalibration",
                                             "mixture", "peakCount", "sample", "volume"}));
        EXPECT_TRUE(assay["fileName"].toString().startsWith(QString::fromStdString(demo.string())));
        EXPECT_EQ(assay["fileResult"].toInt(), 0);
        EXPECT_GT(assay["peakCount"].toInt(), 0);
        EXPECT_EQ(assay["channels"].toObject().keys(), (QStringList{"1", "2"}));
        if (assay["isCalibration"].toBool())
            calibrationIds << QString::number(assay["id"].toInt());
    }
    calibrationIds.sort();
    EXPECT_EQ(json["identification"].toObject().keys(), calibrationIds);
    EXPECT_TRUE(json["hasCalibration"].toBool());

    const QJsonArray calibration = json["calibration"].toArray();
    ASSERT_FALSE(calibration.isEmpty());
    const QJsonObject line = calibration[0].toObject();
    EXPECT_EQ(line.keys(), (QStringList{"fitted", "k0", "k1", "k1Origin", "mainChannel", "name", "pointCount", "points",
                                        "r2", "residualSd"}));
    EXPECT_EQ(line["points"].toArray().size(), line["pointCount"].toInt());
    EXPECT_EQ(json["quantitation"].toArray().size(), calibration.size());
    EXPECT_EQ(json["quantitation"].toArray()[0].toObject().keys(),
              (QStringList{"concentration", "contributions", "detected", "mainChannel", "name", "parallel", "valid"}));
    const QJsonObject messages = json["messages"].toObject();
    EXPECT_EQ(messages.keys(), (QStringList{"errors", "infos", "warnings"}));
    EXPECT_EQ(messages["warnings"].toArray().size(), 2);  // the demo's drifting peak and channel deviation
}

TEST_F(DvinarBatchTest, OutputsAreTheSameUnderAnyLocale)
{
    BatchOutcome comma = run(demoArguments() + " --json - --source-xml " + path("ru.xml"));
    BatchOutcome point = run(demoArguments() + " --json - --source-xml " + path("c.xml"), "C");
    ASSERT_EQ(comma.exitCode, 0) << comma.err;
    ASSERT_EQ(point.exitCode, 0) << point.err;
    // Apart from the record of its own start (time and command line), the result is the same.
    const std::size_t provenance = comma.out.find(",\"provenance\":");
    ASSERT_NE(provenance, std::string::npos);
    EXPECT_EQ(comma.out.substr(0, provenance), point.out.substr(0, point.out.find(",\"provenance\":")));
    EXPECT_NE(comma.out.find("\"k1\":0.0"), std::string::npos);  // a point, not a comma

    const std::regex created("d\\0a\\0t\\0e\\0_\\0c\\0r\\0e\\0a\\0t\\0e\\0d\\0=\\0\"\\0[^\"]*\"\\0");
    const std::string ru = ReportFolders::readFile(folders.root / "ru.xml");
    const std::string c = ReportFolders::readFile(folders.root / "c.xml");
    ASSERT_FALSE(ru.empty());
    EXPECT_EQ(std::regex_replace(ru, created, ""), std::regex_replace(c, created, ""));
    EXPECT_EQ(ru.substr(0, 10), std::string("<\0?\0x\0m\0l\0", 10));  // UTF-16LE, no byte-order mark
}

TEST_F(DvinarBatchTest, ReportIsTheWindowCommandsReport)
{
    BatchOutcome outcome = run(demoArguments() + " --hide-not-found --report " + path("batch.html"));
    ASSERT_EQ(outcome.exitCode, 0) << outcome.err;
    EXPECT_TRUE(folders.tempFiles().empty());  // its temporary files are gone

    // The window's save command on the same assays, table and settings.
    AssayMap assays;
    DataBase::Connection connection(platform::utf8ToUtf16(database).c_str());
    for (int32_t id = 1; id <= 8; ++id)
        if (auto record = loadAssay(connection, id))
            assays.emplace(id, std::move(*record));
    ComponentList table;
    ASSERT_TRUE(ComponentTable::loadFrom(platform::utf8ToUtf16(components), table));
    MessageLog log;
    setTheMessageLog(&log);
    PluginSettings settings;
    settings.hideNotFound = true;
    const CalculationResult result = runCalculation(assays, table, settings, log);
    RecordingReportUserInterface ui;
    ui.saveAnswer = platform::utf8ToUtf16((folders.root / "window.html").string());
    saveReport(assays, result, true, ui);
    setTheMessageLog(nullptr);
    ASSERT_TRUE(ui.errors.empty()) << ui.errors[0];

    const std::string batch = ReportFolders::readFile(folders.root / "batch.html");
    const std::string window = ReportFolders::readFile(folders.root / "window.html");
    ASSERT_NE(batch.find("Градуировочные коэффициенты"), std::string::npos);
    EXPECT_EQ(withoutCreationDate(batch), withoutCreationDate(window));
}

TEST_F(DvinarBatchTest, UnreadableChromatogramIsStillLoadedAndReported)
{
    std::filesystem::path chromatograms = platform::utf16ToUtf8(
        DemoDataWriter::chromatogramFolder(platform::utf8ToUtf16(demo.string())));
    std::filesystem::remove(chromatograms / "sample_run1.stg");
    BatchOutcome outcome = run(demoArguments() + " --json -");
    ASSERT_EQ(outcome.exitCode, 0) << outcome.err;
    EXPECT_NE(outcome.err.find("Не удалось открыть файл."), std::string::npos) << outcome.err;
    int unread = 0;
    for (const QJsonValue& value : parseJson(outcome.out)["assays"].toArray()) {
        const QJsonObject assay = value.toObject();
        if (assay["fileName"].toString().endsWith("sample_run1.stg")) {
            ++unread;
            EXPECT_NE(assay["fileResult"].toInt(), 0);
            EXPECT_TRUE(assay["channels"].toObject().isEmpty());
        }
    }
    EXPECT_EQ(unread, 1);
    // Its record names it without a size or digest: there was nothing to read.
    int unhashed = 0;
    for (const QJsonValue& value : parseJson(outcome.out)["provenance"].toObject()["inputs"].toArray()) {
        const QJsonObject input = value.toObject();
        const bool missing = input["path"].toString().endsWith("sample_run1.stg");
        unhashed += missing;
        EXPECT_EQ(input["bytes"].isNull(), missing);
        EXPECT_EQ(input["sha256"].isNull(), missing);
    }
    EXPECT_EQ(unhashed, 1);
}

TEST_F(DvinarBatchTest, ExitCodesTellArgumentsDatabaseAndReportApart)
{
    for (const std::string& arguments : std::vector<std::string>{"", "--db x.db", "--ids 1 --db", "--db x.db --ids 1,,2",
                                         "--db x.db --ids 1 --unit-mode one", "--db x.db --ids 1 --bogus",
                                         "--db x.db --ids 99999999999"}) {
        BatchOutcome outcome = run(arguments);
        EXPECT_EQ(outcome.exitCode, 1) << arguments;
        EXPECT_NE(outcome.err.find("usage: dvinar-batch"), std::string::npos) << arguments;
    }

    BatchOutcome missing = run("--db " + path("absent.db") + " --ids 1 --json -");
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_EQ(missing.err, "dvinar-batch: database error: unable to open database file (code 14)\n");
    EXPECT_FALSE(std::filesystem::exists(folders.root / "absent.db"));

    std::ofstream(folders.root / "text.db") << "this is not a database, only some text that is long enough to be read";
    BatchOutcome notDatabase = run("--db " + path("text.db") + " --ids 1");
    EXPECT_EQ(notDatabase.exitCode, 2);
    EXPECT_NE(notDatabase.err.find("(code 26)"), std::string::npos) << notDatabase.err;

    std::filesystem::remove(folders.templatePath());
    BatchOutcome noTemplate = run(demoArguments() + " --report " + path("r.html"));
    EXPECT_EQ(noTemplate.exitCode, 3);
    EXPECT_EQ(noTemplate.err, "dvinar-batch: Не удалось загрузить шаблон отчёта.\nError parsing XSLT Document instance.\n");
    EXPECT_FALSE(std::filesystem::exists(folders.root / "r.html"));

    // An installed component table that does not exist (none in the public folder) is an empty one, as in the window.
    BatchOutcome noTable = run("--db '" + database + "' --ids 1,7,8 --json -");
    EXPECT_EQ(noTable.exitCode, 0) << noTable.err;
    EXPECT_TRUE(parseJson(noTable.out)["calibration"].toArray().isEmpty());

    // Messages of the pass (no analysis chromatograms here) are no failure.
    BatchOutcome calibrationOnly = run("--db '" + database + "' --ids 1,2 --json -");
    EXPECT_EQ(calibrationOnly.exitCode, 0);
    EXPECT_FALSE(parseJson(calibrationOnly.out)["messages"].toObject()["errors"].toArray().isEmpty());
}

namespace {

std::string sha256Of(const std::string& path)
{
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly))
        return std::string();
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256).toHex().toStdString();
}

std::string jsonNumberText(const QJsonValue& value)
{
    if (value.isNull())
        return std::string();
    return QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact).mid(1).chopped(1).toStdString();
}

} // namespace

TEST_F(DvinarBatchTest, ResultCarriesParallelRunsLineQualityAndItsInputs)
{
    // Methanol's limit is given in lower case and far too tight for the demo's two runs.
    std::ofstream(folders.root / "limits.csv") << "name,percent\r\n\"метанол\",0.01\r\nМетанoл,3\r\n";
    const QDateTime before = QDateTime::currentDateTimeUtc().addSecs(-1);
    BatchOutcome outcome = run(demoArguments() + " --repeatability 5 --limits " + path("limits.csv") + " --csv " +
                               path("result.csv") + " --json " + path("result.json") + " --report " + path("r.html"));
    ASSERT_EQ(outcome.exitCode, 0) << outcome.err;
    // The second name has a Latin "o": it is no component, and the run says so.
    EXPECT_EQ(outcome.err, "dvinar-batch: warning: the limits file names 'Метанoл', which is no component of the table\n");
    const QJsonObject json = parseJson(ReportFolders::readFile(folders.root / "result.json"));

    int judged = 0;
    const QJsonArray quantitation = json["quantitation"].toArray();
    for (const QJsonValue& value : quantitation) {
        const QJsonObject row = value.toObject();
        const QJsonObject parallel = row["parallel"].toObject();
        const QJsonArray values = parallel["values"].toArray();
        ASSERT_EQ(values.size(), row["contributions"].toInt());
        const bool methanol = row["name"].toString() == QStringLiteral("Метанол");
        EXPECT_EQ(parallel["limit"].toDouble(), methanol ? 0.01 : 5.0);
        if (values.size() == 2) {
            ++judged;
            const double x1 = values[0].toDouble();
            const double x2 = values[1].toDouble();
            EXPECT_EQ((x1 + x2) / 2, row["concentration"].toDouble());
            EXPECT_NEAR(parallel["relativeDifference"].toDouble(), std::fabs(x1 - x2) / ((x1 + x2) / 2) * 100, 1e-9);
            EXPECT_EQ(parallel["accepted"].toBool(), parallel["relativeDifference"].toDouble() <= parallel["limit"].toDouble());
            EXPECT_EQ(parallel["accepted"].toBool(), !methanol);   // the demo's runs agree within 5 %
        } else {
            EXPECT_TRUE(parallel["relativeDifference"].isNull());
            EXPECT_FALSE(parallel["accepted"].toBool());
        }
    }
    EXPECT_GE(judged, 5);

    for (const QJsonValue& value : json["calibration"].toArray()) {
        const QJsonObject line = value.toObject();
        if (!line["fitted"].toBool())
            continue;
        EXPECT_GT(line["r2"].toDouble(), 0.999);   // the demo's lines are straight
        EXPECT_EQ(line["residualSd"].isNull(), line["pointCount"].toInt() <= 2);
        for (const QJsonValue& point : line["points"].toArray())
            EXPECT_LT(std::fabs(point.toObject()["relativeResidual"].toDouble()), 5.0);
    }

    // Every input, hashed here with another implementation than the program's.
    const QJsonObject provenance = json["provenance"].toObject();
    QStringList roles;
    for (const QJsonValue& value : provenance["inputs"].toArray()) {
        const QJsonObject input = value.toObject();
        roles << input["role"].toString();
        const std::string file = input["path"].toString().toStdString();
        EXPECT_TRUE(std::filesystem::path(file).is_absolute()) << file;
        EXPECT_EQ(input["bytes"].toInteger(), static_cast<qint64>(std::filesystem::file_size(file))) << file;
        EXPECT_EQ(input["sha256"].toString().toStdString(), sha256Of(file)) << file;
    }
    EXPECT_EQ(roles, (QStringList{"database", "chromatogram", "chromatogram", "chromatogram", "chromatogram",
                                  "chromatogram", "chromatogram", "chromatogram", "chromatogram", "components",
                                  "limits", "template"}));
    EXPECT_EQ(provenance["versions"].toObject().keys(),
              (QStringList{"dvinar", "icu", "libxml2", "libxslt", "pugixml", "sqlite"}));
    const QJsonArray commandLine = provenance["commandLine"].toArray();
    ASSERT_EQ(commandLine.size(), 17);
    EXPECT_TRUE(commandLine[0].toString().endsWith("/dvinar-batch"));
    EXPECT_EQ(commandLine[7].toString(), "--repeatability");
    EXPECT_EQ(commandLine[8].toString(), "5");
    const QDateTime started = QDateTime::fromString(provenance["startedAt"].toString(), Qt::ISODate);
    EXPECT_TRUE(provenance["startedAt"].toString().endsWith('Z'));
    EXPECT_GE(started, before);
    EXPECT_LE(started, QDateTime::currentDateTimeUtc());

    // The CSV holds the same determinations, one row per quantitation entry.
    CsvRecords records;
    std::string error;
    ASSERT_TRUE(splitCsvRecords(ReportFolders::readFile(folders.root / "result.csv"), records, error)) << error;
    ASSERT_EQ(records.size(), static_cast<std::size_t>(quantitation.size()) + 1);
    EXPECT_EQ(records[0].fields, (std::vector<std::string>{"component", "concentration", "unit", "valid", "detected", "x1",
                                                           "x2", "relativeDifference", "limit", "accepted"}));
    for (qsizetype q = 0; q < quantitation.size(); ++q) {
        const QJsonObject row = quantitation[q].toObject();
        const QJsonObject parallel = row["parallel"].toObject();
        const std::vector<std::string>& fields = records[static_cast<std::size_t>(q) + 1].fields;
        ASSERT_EQ(fields.size(), 10u);
        EXPECT_EQ(fields[0], row["name"].toString().toStdString());
        EXPECT_EQ(fields[1], row["valid"].toBool() ? jsonNumberText(row["concentration"]) : std::string());
        EXPECT_EQ(fields[2], "мг/дм3");
        const QJsonArray values = parallel["values"].toArray();
        EXPECT_EQ(fields[5], values.size() > 0 ? jsonNumberText(values[0]) : std::string());
        EXPECT_EQ(fields[6], values.size() > 1 ? jsonNumberText(values[1]) : std::string());
        EXPECT_EQ(fields[7], jsonNumberText(parallel["relativeDifference"]));
        EXPECT_EQ(fields[9], parallel["accepted"].toBool() ? "true" : "false");
    }

    // The same CSV in the C locale; no temporary file is left beside it.
    BatchOutcome inC = run(demoArguments() + " --repeatability 5 --limits " + path("limits.csv") + " --csv " +
                           path("c.csv"), "C");
    ASSERT_EQ(inC.exitCode, 0) << inC.err;
    EXPECT_EQ(ReportFolders::readFile(folders.root / "c.csv"), ReportFolders::readFile(folders.root / "result.csv"));
    for (const auto& entry : std::filesystem::directory_iterator(folders.root))
        EXPECT_FALSE(entry.path().filename().string().starts_with(".")) << entry.path();
}

TEST_F(DvinarBatchTest, FaultyLimitsAndUnwritableCsvAreReported)
{
    std::ofstream(folders.root / "twice.csv") << "Метанол,5\nМЕТАНОЛ,6\n";
    BatchOutcome twice = run(demoArguments() + " --limits " + path("twice.csv") + " --csv " + path("out.csv"));
    EXPECT_EQ(twice.exitCode, 1);
    EXPECT_NE(twice.err.find("line 2: 'МЕТАНОЛ' is named twice"), std::string::npos) << twice.err;
    EXPECT_FALSE(std::filesystem::exists(folders.root / "out.csv"));

    BatchOutcome missing = run(demoArguments() + " --limits " + path("none.csv"));
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.err.find("could not read the limits file"), std::string::npos) << missing.err;

    for (const char* percent : {"-5", "five", "nan"}) {
        BatchOutcome bad = run(demoArguments() + " --repeatability " + percent);
        EXPECT_EQ(bad.exitCode, 1) << percent;
        EXPECT_NE(bad.err.find("for --repeatability"), std::string::npos) << bad.err;
    }

    // An export that would take an input's place is refused before anything is written.
    const std::string databaseBefore = ReportFolders::readFile(database);
    const std::filesystem::path chromatogram = std::filesystem::path(platform::utf16ToUtf8(
        DemoDataWriter::chromatogramFolder(platform::utf8ToUtf16(demo.string())))) / "sample_run2.stg";
    const std::string chromatogramBefore = ReportFolders::readFile(chromatogram);
    std::filesystem::create_symlink(database, folders.root / "link.db");
    for (const std::string& target : {"'" + database + "'", "'" + chromatogram.string() + "'", path("link.db")}) {
        BatchOutcome onInput = run(demoArguments() + " --csv " + target + " --json " + path("never.json"));
        EXPECT_EQ(onInput.exitCode, 1) << target;
        EXPECT_NE(onInput.err.find("--csv names an input file"), std::string::npos) << onInput.err;
        EXPECT_FALSE(std::filesystem::exists(folders.root / "never.json"));
    }
    EXPECT_EQ(ReportFolders::readFile(database), databaseBefore);
    EXPECT_EQ(ReportFolders::readFile(chromatogram), chromatogramBefore);

    BatchOutcome unwritable = run(demoArguments() + " --csv " + path("no/such/folder/out.csv") + " --json -");
    EXPECT_EQ(unwritable.exitCode, 3);
    EXPECT_NE(unwritable.err.find("no/such/folder/out.csv\": No such file or directory"), std::string::npos) << unwritable.err;
    EXPECT_FALSE(parseJson(unwritable.out)["quantitation"].toArray().isEmpty());   // the rest is still written
}

namespace {

// A disk that fills up on the first write.
class FullDisk : public platform::FileSystemCalls {
public:
    ssize_t write(int, const void*, std::size_t) override
    {
        errno = ENOSPC;
        return -1;
    }
};

} // namespace

TEST_F(DvinarBatchTest, CsvOnAFullDiskLeavesTheOldFileWhole)
{
    std::ofstream(folders.root / "result.csv") << "the previous export\r\n";
    BatchOptions options;
    options.database = database;
    options.ids = {1, 2, 3, 4, 5, 6, 7, 8};
    options.components = components;
    options.csv = (folders.root / "result.csv").string();
    std::ostringstream out;
    std::ostringstream err;
    int exitCode = -1;
    {
        FullDisk full;
        platform::ScopedFileSystemCalls scope(full);
        exitCode = runBatch(options, out, err);
    }
    EXPECT_EQ(exitCode, 3);
    EXPECT_NE(err.str().find("No space left on device"), std::string::npos) << err.str();
    EXPECT_EQ(ReportFolders::readFile(folders.root / "result.csv"), "the previous export\r\n");
    for (const auto& entry : std::filesystem::directory_iterator(folders.root))
        EXPECT_FALSE(entry.path().filename().string().starts_with(".")) << entry.path();
}

TEST_F(DvinarBatchTest, AComponentTableThatCannotBeReadAsAFileStopsTheRun)
{
    std::filesystem::create_directory(folders.root / "folder.csv");
    ASSERT_EQ(::mkfifo((folders.root / "pipe.csv").c_str(), 0600), 0);  // no writer: reading must not wait
    struct Case {
        std::string table;
        const char* reason;
    };
    const Case cases[] = {
        {path("none.csv"), "No such file or directory"},
        {path("folder.csv"), "it is a folder"},
        {path("pipe.csv"), "it is not a regular file"},
        {"/dev/zero", "it is not a regular file"},
    };
    for (const Case& c : cases) {
        BatchOutcome outcome =
            run("--db '" + database + "' --ids 1,7,8 --components " + c.table + " --json " + path("out.json"));
        EXPECT_EQ(outcome.exitCode, 1) << c.table;
        EXPECT_NE(outcome.err.find("--components: Cannot read"), std::string::npos) << outcome.err;
        EXPECT_NE(outcome.err.find(c.reason), std::string::npos) << outcome.err;
        EXPECT_FALSE(std::filesystem::exists(folders.root / "out.json"));
    }
}

TEST_F(DvinarBatchTest, AnOutputNamingAnInputOfTheRunIsRefused)
{
    const std::string databaseBefore = ReportFolders::readFile(database);
    const std::string tableBefore = ReportFolders::readFile(components);
    const std::string templateBefore = ReportFolders::readFile(folders.templatePath());
    std::filesystem::create_hard_link(database, folders.root / "hard.db");
    const std::string report = " --report " + path("r.html");
    for (const char* option : {"--report", "--json", "--source-xml"}) {
        for (const std::string& input : {"'" + database + "'", path("hard.db"), "'" + components + "'",
                                         "'" + folders.templatePath().string() + "'"}) {
            SCOPED_TRACE(std::string(option) + " " + input);
            // A report is asked for every time, so that the template is an input of each run.
            const std::string extra = std::string(option) == "--report" ? "" : report;
            BatchOutcome outcome = run(demoArguments() + extra + " " + option + " " + input);
            EXPECT_EQ(outcome.exitCode, 1);
            EXPECT_NE(outcome.err.find(std::string(option) + " names an input file"), std::string::npos) << outcome.err;
            EXPECT_FALSE(std::filesystem::exists(folders.root / "r.html"));
        }
    }
    EXPECT_EQ(ReportFolders::readFile(database), databaseBefore);
    EXPECT_EQ(ReportFolders::readFile(components), tableBefore);
    EXPECT_EQ(ReportFolders::readFile(folders.templatePath()), templateBefore);
}

TEST_F(DvinarBatchTest, IdsNotInTheDatabaseOrHiddenAreToldAndTheRestIsComputed)
{
    {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(database.c_str(), &db), SQLITE_OK);
        EXPECT_EQ(sqlite3_exec(db, "UPDATE assay SET ishidden = 1 WHERE id = 2", nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(db);
    }
    BatchOutcome outcome = run(demoArguments() + " --ids 1,2,3,4,5,6,7,8,4242,4242 --json -");
    EXPECT_EQ(outcome.exitCode, 5) << outcome.err;
    EXPECT_EQ(outcome.err, "dvinar-batch: assay 2 is not in the database or is hidden\n"
                           "dvinar-batch: assay 4242 is not in the database or is hidden\n");
    const QJsonObject json = parseJson(outcome.out);
    EXPECT_EQ(json["assays"].toArray().size(), 7);
    EXPECT_FALSE(json["quantitation"].toArray().isEmpty());

    // A failed output is the graver news.
    BatchOutcome alsoUnwritable = run(demoArguments() + " --ids 1,4242 --json " + path("no/such/folder/x.json"));
    EXPECT_EQ(alsoUnwritable.exitCode, 3);
}

TEST_F(DvinarBatchTest, OutputsAreWrittenWholeOrNotAtAllAndNothingButAFileIsReplaced)
{
    const std::string oldJson = "{\"the previous\": \"result\"}";
    const std::string oldXml = "<previous/>";
    std::ofstream(folders.root / "result.json") << oldJson;
    std::ofstream(folders.root / "source.xml") << oldXml;
    BatchOptions options;
    options.database = database;
    options.ids = {1, 2, 3, 4, 5, 6, 7, 8};
    options.components = components;
    options.json = (folders.root / "result.json").string();
    options.sourceXml = (folders.root / "source.xml").string();
    std::ostringstream out;
    std::ostringstream err;
    int exitCode = -1;
    {
        FullDisk full;
        platform::ScopedFileSystemCalls scope(full);
        exitCode = runBatch(options, out, err);
    }
    EXPECT_EQ(exitCode, 3);
    EXPECT_EQ(ReportFolders::readFile(folders.root / "result.json"), oldJson);
    EXPECT_EQ(ReportFolders::readFile(folders.root / "source.xml"), oldXml);

    // A device that fails every write, and a folder: refused, and still there.
    const bool haveDevice = ::mknod((folders.root / "full").c_str(), S_IFCHR | 0666, ::makedev(1, 7)) == 0;
    std::filesystem::create_directory(folders.root / "a folder");
    std::vector<std::string> targets = {"a folder"};
    if (haveDevice)
        targets.push_back("full");
    for (const std::string& name : targets) {
        for (const char* option : {"--json", "--source-xml", "--report"}) {
            BatchOutcome outcome = run(demoArguments() + " " + option + " '" + (folders.root / name).string() + "'");
            EXPECT_EQ(outcome.exitCode, 3) << option << " " << name;
        }
    }
    EXPECT_TRUE(std::filesystem::is_directory(folders.root / "a folder"));
    if (haveDevice) {
        EXPECT_TRUE(std::filesystem::is_character_file(folders.root / "full"));
    }
    // No temporary report or temporary output is left anywhere.
    EXPECT_TRUE(folders.tempFiles().empty());
    for (const auto& entry : std::filesystem::directory_iterator(folders.root))
        EXPECT_FALSE(entry.path().filename().string().starts_with(".")) << entry.path();
}
