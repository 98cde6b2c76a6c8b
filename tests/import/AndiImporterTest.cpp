// Importing into a host database and chromatogram folder: what lands where, pairing, and that a
// refused or failed injection leaves nothing behind (faults injected into the file seam and the
// database).
#include "AndiImporter.h"
#include "AndiTestFile.h"
#include "ChromatogramBuilder.h"

#include "input/AssayLoader.h"
#include "input/Connection.h"
#include "input/HostSchema.h"
#include "input/SqlException.h"
#include "platform/FileSeam.h"
#include "platform/Text.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

AndiTestFile channelFile(const std::string& sample, const std::string& detector, double areaScale = 1.0)
{
    AndiTestFile f;
    f.times = {72, 150, 240};
    f.areas = {1000 * areaScale, 2000 * areaScale, 500 * areaScale};
    f.heights = std::vector<double>{50, 80, 20};
    f.amounts = std::vector<double>{1.25, 2.5, 0.5};
    f.starts = std::vector<double>{66, 144, 234};
    f.ends = std::vector<double>{80, 158, 250};
    f.names = std::vector<std::string>{"Methanol", "Ethanol", ""};
    f.signal.resize(600);
    for (std::size_t i = 0; i < f.signal.size(); ++i)
        f.signal[i] = -20.0 + 0.5 * static_cast<double>(i % 37);
    f.text["sample_name"] = sample;
    f.text["detector_name"] = detector;
    return f;
}

int64_t count(const std::string& database, const char* sql)
{
    DataBase::Connection connection(platform::utf8ToUtf16(database).c_str());
    sqlite3_stmt* statement = nullptr;
    EXPECT_EQ(sqlite3_prepare_v2(connection.handle(), sql, -1, &statement, nullptr), SQLITE_OK);
    int64_t value = -1;
    if (sqlite3_step(statement) == SQLITE_ROW)
        value = sqlite3_column_int64(statement, 0);
    sqlite3_finalize(statement);
    return value;
}

std::vector<std::string> filesIn(const std::string& folder)
{
    std::vector<std::string> names;
    if (fs::exists(folder))
        for (const auto& entry : fs::directory_iterator(folder))
            names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

ImportOptions optionsFor(const std::string& folder)
{
    ImportOptions options;
    options.database = folder + "/host.db";
    return options;
}

TEST(AndiImporter, PairLandsAsOneAssayThatTheLoaderReads)
{
    const std::string folder = testFolder("pair");
    const std::string a = channelFile("Mix 1", "FID").write(folder + "/run1-fid.cdf");
    const std::string b = channelFile("Mix 1", "TCD", 0.5).write(folder + "/run1-tcd.cdf");
    ImportOptions options = optionsFor(folder);
    options.calibration = true;
    options.mixture = u"Смесь А";
    std::vector<ImportOutcome> outcomes = AndiImporter(options).importAll({a + "+" + b});
    ASSERT_EQ(outcomes.size(), 1u);
    ASSERT_TRUE(outcomes[0].imported()) << outcomes[0].refusal;
    ASSERT_EQ(outcomes[0].channels.size(), 2u);
    EXPECT_EQ(outcomes[0].channels[1].peakSource, "peak-table");
    EXPECT_EQ(outcomes[0].channels[1].peakCount, 3u);

    DataBase::Connection connection(platform::utf8ToUtf16(options.database).c_str());
    std::optional<AssayRecord> record = loadAssay(connection, static_cast<int32_t>(*outcomes[0].assayId));
    ASSERT_TRUE(record);
    EXPECT_EQ(record->sample, u"Mix 1");
    EXPECT_EQ(record->mixture, u"Смесь А");
    EXPECT_TRUE(record->isCalibration);
    EXPECT_EQ(record->date, 1710232200);
    EXPECT_EQ(platform::utf16ToUtf8(record->fileName), fs::absolute(folder + "/chromatograms/run1-fid.stg").lexically_normal().string());
    // Database peaks: channel 1's table (the loader returns them in time order, as the file has them).
    ASSERT_EQ(record->peaks.size(), 3u);
    EXPECT_EQ(record->peaks[0].name, u"Methanol");
    EXPECT_DOUBLE_EQ(record->peaks[1].time, 2.5);
    EXPECT_NEAR(record->peaks[1].area, 2000, 1e-3);
    ASSERT_EQ(record->channelPeaks.size(), 2u);
    const std::vector<Peak>& second = record->channelPeaks.at(2);
    ASSERT_EQ(second.size(), 3u);
    EXPECT_NEAR(second[0].area, 500, 1e-3);
    EXPECT_NEAR(second[0].concent, 1.25, 1e-6);
    EXPECT_NEAR(second[0].height, 50, 1e-6);
    EXPECT_NEAR(second[0].front, 1.1, 1e-6);
    EXPECT_NEAR(second[0].back, 80.0 / 60, 1e-6);

    // The signal survives the trip through whole counts to within one count's worth.
    CVantrelFile4 file;
    ASSERT_EQ(file.load(record->fileName), 0);
    ASSERT_EQ(file.channels.size(), 2u);
    const SignalBuffer& signal = file.channels[0].signal;
    EXPECT_DOUBLE_EQ(signal.valueA, 0.5);
    double offset = 0;
    for (const PassportParameter& p : file.passport.parameters)
        if (p.name == u"signal_offset1")
            offset = std::stod(platform::utf16ToUtf8(p.value));
    const std::vector<double> expected = channelFile("", "").signal;
    ASSERT_EQ(signal.samples.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); i += 13)
        EXPECT_NEAR(decodeSample(signal.samples[i], signal.valueB, offset), expected[i], signal.valueB) << i;
    EXPECT_EQ(filesIn(folder + "/chromatograms"), (std::vector<std::string>{"run1-fid.stg"}));
}

TEST(AndiImporter, RefusedInputsWriteNothingAndTheOthersLand)
{
    const std::string folder = testFolder("refusals");
    const std::string good = channelFile("S", "FID").write(folder + "/good.cdf");
    AndiTestFile msFile = channelFile("S", "MS");
    msFile.massSpectrometry = true;
    const std::string ms = msFile.write(folder + "/ms.cdf");
    const std::string text = folder + "/notes.cdf";
    std::ofstream(text) << "not a chromatogram";
    ImportOptions options = optionsFor(folder);
    std::vector<ImportOutcome> outcomes =
        AndiImporter(options).importAll({ms, text, folder + "/missing.cdf", folder, good + "+" + ms, good});
    ASSERT_EQ(outcomes.size(), 6u);
    EXPECT_EQ(outcomes[0].refusal, "mass-spectrometry file; only chromatography files can be imported");
    EXPECT_EQ(outcomes[1].refusal, "not a netCDF file");
    EXPECT_EQ(outcomes[2].refusal, "file not found");
    EXPECT_FALSE(outcomes[3].imported());
    EXPECT_NE(outcomes[4].refusal.find(ms + ": mass-spectrometry"), std::string::npos) << outcomes[4].refusal;
    EXPECT_TRUE(outcomes[5].imported()) << outcomes[5].refusal;
    EXPECT_EQ(count(options.database, "SELECT count(*) FROM assay"), 1);
    EXPECT_EQ(count(options.database, "SELECT count(*) FROM peak"), 3);
    EXPECT_EQ(filesIn(folder + "/chromatograms"), (std::vector<std::string>{"good.stg"}));
}

// Fails one kind of system call once the import reaches it.
class FailingCalls : public platform::FileSystemCalls {
public:
    enum class Fail { Write, Rename };
    explicit FailingCalls(Fail what) : what_(what) {}
    ssize_t write(int fd, const void* buffer, std::size_t size) override
    {
        if (what_ == Fail::Write) {
            errno = ENOSPC;
            return -1;
        }
        return FileSystemCalls::write(fd, buffer, size);
    }
    int rename(const char* from, const char* to) override
    {
        if (what_ == Fail::Rename) {
            errno = EIO;
            return -1;
        }
        return FileSystemCalls::rename(from, to);
    }

private:
    Fail what_;
};

TEST(AndiImporter, AFileThatCannotBeWrittenOrPublishedLeavesNoRowAndNoFile)
{
    for (FailingCalls::Fail fail : {FailingCalls::Fail::Write, FailingCalls::Fail::Rename}) {
        const std::string folder = testFolder(fail == FailingCalls::Fail::Write ? "full-disk" : "rename");
        const std::string input = channelFile("S", "FID").write(folder + "/in.cdf");
        ImportOptions options = optionsFor(folder);
        AndiImporter importer(options);
        std::vector<ImportOutcome> outcomes;
        {
            FailingCalls calls(fail);
            platform::ScopedFileSystemCalls scope(calls);
            outcomes = importer.importAll({input});
        }
        ASSERT_EQ(outcomes.size(), 1u);
        EXPECT_FALSE(outcomes[0].imported());
        // The file is written while the rows commit and renamed after: either way the row is withdrawn.
        const char* expected = fail == FailingCalls::Fail::Write ? "cannot write the chromatogram file" : "cannot store the chromatogram file";
        EXPECT_NE(outcomes[0].refusal.find(expected), std::string::npos) << outcomes[0].refusal;
        EXPECT_EQ(count(options.database, "SELECT count(*) FROM assay"), 0);
        EXPECT_EQ(count(options.database, "SELECT count(*) FROM peak"), 0);
        EXPECT_TRUE(filesIn(folder + "/chromatograms").empty());
        // With the fault gone the same input imports.
        outcomes = importer.importAll({input});
        EXPECT_TRUE(outcomes[0].imported()) << outcomes[0].refusal;
    }
}

TEST(AndiImporter, ADatabaseFailureRollsBackRemovesTheFileAndStops)
{
    const std::string folder = testFolder("database");
    const std::string first = channelFile("S1", "FID").write(folder + "/first.cdf");
    const std::string second = channelFile("S2", "FID").write(folder + "/second.cdf");
    const std::string third = channelFile("S3", "FID").write(folder + "/third.cdf");
    const std::string fourth = channelFile("S4", "FID").write(folder + "/fourth.cdf");
    ImportOptions options = optionsFor(folder);
    {
        DataBase::Connection connection(platform::utf8ToUtf16(options.database).c_str());
        HostSchema::create(connection.handle());
        // The second peak row fails, after the assay row and one peak went in.
        HostSchema::execute(connection.handle(),
                            "CREATE TRIGGER refuse BEFORE INSERT ON peak WHEN (SELECT count(*) FROM peak) >= 1 "
                            "BEGIN SELECT RAISE(ABORT, 'disk on fire'); END;");
    }
    AndiImporter importer(options);
    // Those after the failure are not tried, however many follow.
    std::vector<ImportOutcome> outcomes = importer.importAll({first, second, third, fourth});
    ASSERT_EQ(outcomes.size(), 4u);
    EXPECT_NE(outcomes[0].refusal.find("disk on fire"), std::string::npos) << outcomes[0].refusal;
    for (std::size_t i = 1; i < outcomes.size(); ++i) {
        EXPECT_FALSE(outcomes[i].imported());
        EXPECT_EQ(outcomes[i].refusal, "not imported: the database failed on an earlier input");
    }
    EXPECT_TRUE(importer.databaseFailed());
    EXPECT_EQ(count(options.database, "SELECT count(*) FROM assay"), 0);
    EXPECT_EQ(count(options.database, "SELECT count(*) FROM peak"), 0);
    EXPECT_TRUE(filesIn(folder + "/chromatograms").empty());
}

// Temporaries of chromatograms whose import was killed go with the next import, once an hour
// old; anything else in the folder, and a temporary that may still be filling, stays.
TEST(AndiImporter, AnImportRemovesOldLeftoversOfKilledImportsOnly)
{
    const std::string folder = testFolder("leftovers");
    const std::string input = channelFile("S", "FID").write(folder + "/in.cdf");
    const std::string store = folder + "/chromatograms";
    fs::create_directories(store);
    const auto twoHoursAgo = fs::file_time_type::clock::now() - std::chrono::hours(2);
    const struct {
        const char* name;
        bool old;
        bool stays;
    } files[] = {
        {".run 1.stg.Ab12Cd", true, false}, {".a.b.stg.Zz99Yy", true, false},  {".fresh.stg.Qq11Ww", false, true},
        {".notes.txt.Qq11Ww", true, true},  {".stg.Ab12Cd", true, true},       {".x.stg.toolongsuffix", true, true},
        {"kept.stg", true, true},
    };
    for (const auto& file : files) {
        std::ofstream(store + "/" + file.name) << "partly written";
        if (file.old)
            fs::last_write_time(store + "/" + file.name, twoHoursAgo);
    }
    std::vector<ImportOutcome> outcomes = AndiImporter(optionsFor(folder)).importAll({input});
    ASSERT_TRUE(outcomes[0].imported()) << outcomes[0].refusal;
    for (const auto& file : files)
        EXPECT_EQ(fs::exists(store + "/" + file.name), file.stays) << file.name;
    EXPECT_TRUE(fs::exists(store + "/in.stg"));
}

TEST(AndiImporter, AutoPairGroupsBySampleAndInjectionTime)
{
    const std::string folder = testFolder("autopair");
    AndiTestFile tcd = channelFile("  Mix 2 ", "TCD");
    AndiTestFile fid = channelFile("Mix 2", "FID", 2.0);
    AndiTestFile other = channelFile("Mix 2", "FID");
    other.text["injection_date_time_stamp"] = "20240312090000+0000";
    AndiTestFile lone = channelFile("Blank", "FID");
    const std::string tcdPath = tcd.write(folder + "/a-tcd.cdf");
    const std::string fidPath = fid.write(folder + "/b-fid.cdf");
    const std::string otherPath = other.write(folder + "/c-other.cdf");
    const std::string lonePath = lone.write(folder + "/d-lone.cdf");
    ImportOptions options = optionsFor(folder);
    options.autoPair = true;
    options.sample = u"Renamed";
    std::vector<ImportOutcome> outcomes = AndiImporter(options).importAll({tcdPath, fidPath, otherPath, lonePath});
    ASSERT_EQ(outcomes.size(), 3u);
    // Channels ordered by detector name: FID is channel 1.
    EXPECT_EQ(outcomes[0].files, (std::vector<std::string>{fidPath, tcdPath}));
    ASSERT_TRUE(outcomes[0].imported());
    EXPECT_EQ(outcomes[1].files, (std::vector<std::string>{otherPath}));
    EXPECT_EQ(outcomes[2].files, (std::vector<std::string>{lonePath}));
    EXPECT_EQ(count(options.database, "SELECT count(*) FROM assay WHERE sample = 'Renamed'"), 3);
    EXPECT_EQ(count(options.database, "SELECT count(*) FROM peak WHERE area = 4000"), 1);  // channel 1 is the FID

    // Three files of one injection cannot be told apart into two channels.
    const std::string third = channelFile("Mix 2", "UV").write(folder + "/e-uv.cdf");
    outcomes = AndiImporter(options).importAll({tcdPath, fidPath, third});
    ASSERT_EQ(outcomes.size(), 3u);
    for (const ImportOutcome& outcome : outcomes) {
        EXPECT_FALSE(outcome.imported());
        EXPECT_NE(outcome.refusal.find("3 files share"), std::string::npos) << outcome.refusal;
    }
}

TEST(AndiImporter, RawOnlyFilesAndReintegrationUseTheIntegrator)
{
    const std::string folder = testFolder("integrate");
    const double interval = 0.002;
    AndiTestFile raw;
    raw.unit = "Minutes";
    raw.interval = interval;
    raw.peakDimension = PeakDimension::UnlimitedEmpty;
    raw.signal = syntheticSignal({{1.0, 600, 0.03, 0}, {2.0, 900, 0.03, 0}}, 1500, interval, 10, 0, 0.05, 4);
    const std::string rawPath = raw.write(folder + "/raw.cdf");
    AndiTestFile table = raw;
    table.peakDimension = PeakDimension::Fixed;
    table.times = {1.0};
    table.areas = {1};
    table.names = std::vector<std::string>{"Only"};
    const std::string tablePath = table.write(folder + "/table.cdf");

    ImportOptions options = optionsFor(folder);
    std::vector<ImportOutcome> outcomes = AndiImporter(options).importAll({rawPath, tablePath});
    ASSERT_TRUE(outcomes[0].imported());
    EXPECT_EQ(outcomes[0].channels[0].peakSource, "integrated");
    EXPECT_EQ(outcomes[0].channels[0].peakCount, 2u);
    EXPECT_EQ(outcomes[1].channels[0].peakSource, "peak-table");
    EXPECT_EQ(outcomes[1].channels[0].peakCount, 1u);
    options.reintegrate = true;
    outcomes = AndiImporter(options).importAll({tablePath});
    EXPECT_EQ(outcomes[0].channels[0].peakSource, "integrated");
    EXPECT_EQ(outcomes[0].channels[0].peakCount, 2u);
    EXPECT_EQ(count(options.database, "SELECT count(*) FROM peak WHERE name = '' AND abs(area - 900) < 9"), 2);
}

TEST(AndiImporter, AnUnusableDatabaseIsReportedBeforeAnythingIsWritten)
{
    const std::string folder = testFolder("bad-database");
    const std::string input = channelFile("S", "FID").write(folder + "/in.cdf");
    std::ofstream(folder + "/host.db") << "this is no SQLite database, but it is long enough to look like one......";
    ImportOptions options = optionsFor(folder);
    EXPECT_THROW({ AndiImporter importer(options); }, DataBase::SqlException);
    EXPECT_FALSE(fs::exists(folder + "/chromatograms"));
}

} // namespace
