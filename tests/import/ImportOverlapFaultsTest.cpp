// Faults in the steps the importer's worker takes while the database commits on the importer's
// own thread: writing and flushing a file, naming it, moving it over its reserved name, syncing
// the folder.
// Whatever fails and whenever, each row has its file and each file its row, and the refusals stand
// at their inputs.
#include "AndiImporter.h"
#include "AndiTestFile.h"

#include "input/Connection.h"
#include "input/HostSchema.h"
#include "platform/FileSeam.h"
#include "platform/Text.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <mutex>
#include <new>
#include <set>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

// Fails the n-th call (and those after it, `times` in all) of one step of publishing. The worker
// and the importer's thread both call through it.
class PublishFaults : public platform::FileSystemCalls {
public:
    enum class Step { Write, FileSync, FolderSync, Link, Rename };
    PublishFaults(Step step, int onCall, int times, bool outOfMemory)
        : step_(step), onCall_(onCall), times_(times), outOfMemory_(outOfMemory)
    {
    }
    int fsync(int fd) override
    {
        struct stat status {};
        const bool folder = FileSystemCalls::fstat(fd, &status) == 0 && S_ISDIR(status.st_mode);
        return hit(folder ? Step::FolderSync : Step::FileSync) ? -1 : FileSystemCalls::fsync(fd);
    }
    ssize_t write(int fd, const void* buffer, std::size_t size) override
    {
        return hit(Step::Write) ? -1 : FileSystemCalls::write(fd, buffer, size);
    }
    int linkat(int fromFolder, const char* from, int toFolder, const char* to, int flags) override
    {
        return hit(Step::Link) ? -1 : FileSystemCalls::linkat(fromFolder, from, toFolder, to, flags);
    }
    int rename(const char* from, const char* to) override
    {
        return hit(Step::Rename) ? -1 : FileSystemCalls::rename(from, to);
    }
    int fired() const
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return fired_;
    }

private:
    bool hit(Step step)
    {
        if (step != step_)
            return false;
        std::lock_guard<std::mutex> lock(mutex_);
        const int call = ++calls_;
        if (call < onCall_ || call >= onCall_ + times_)
            return false;
        ++fired_;
        if (outOfMemory_)
            throw std::bad_alloc();
        errno = EIO;
        return true;
    }
    const Step step_;
    const int onCall_;
    const int times_;
    const bool outOfMemory_;
    mutable std::mutex mutex_;
    int calls_ = 0;
    int fired_ = 0;
};

std::string writeInput(const std::string& path, const std::string& sample)
{
    AndiTestFile f;
    f.times = {72, 150, 240};
    f.areas = {1000, 2000, 500};
    f.names = std::vector<std::string>{"Methanol", "Ethanol", ""};
    f.signal.assign(300, 1.0);
    f.text["sample_name"] = sample;
    fs::create_directories(fs::path(path).parent_path());
    return f.write(path);
}

struct Landed {
    std::set<std::string> rowFiles;   // the rows' file names
    std::set<std::string> folder;     // what is in the chromatogram folder
    int64_t peaks = 0;
    int64_t orphanPeaks = 0;          // peak rows without their assay
};

Landed landed(const std::string& database, const std::string& store)
{
    Landed result;
    DataBase::Connection connection(platform::utf8ToUtf16(database).c_str());
    sqlite3_stmt* statement = nullptr;
    EXPECT_EQ(sqlite3_prepare_v2(connection.handle(), "SELECT filename FROM assay", -1, &statement, nullptr), SQLITE_OK);
    while (sqlite3_step(statement) == SQLITE_ROW)
        result.rowFiles.insert(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)));
    sqlite3_finalize(statement);
    auto single = [&](const char* sql) {
        int64_t value = -1;
        EXPECT_EQ(sqlite3_prepare_v2(connection.handle(), sql, -1, &statement, nullptr), SQLITE_OK);
        if (sqlite3_step(statement) == SQLITE_ROW)
            value = sqlite3_column_int64(statement, 0);
        sqlite3_finalize(statement);
        return value;
    };
    result.peaks = single("SELECT count(*) FROM peak");
    result.orphanPeaks = single("SELECT count(*) FROM peak WHERE assayid NOT IN (SELECT id FROM assay)");
    if (fs::exists(store))
        for (const auto& entry : fs::directory_iterator(store))
            result.folder.insert(fs::absolute(entry.path()).lexically_normal().string());
    return result;
}

TEST(ImportOverlapFaults, EveryRowKeepsItsFileAndEveryRefusalStandsAtItsInput)
{
    using Step = PublishFaults::Step;
    const struct Case {
        const char* what;
        Step step;
        int onCall;
        int times;
        bool outOfMemory;
        std::set<std::size_t> refused;
        const char* reason;
        std::set<std::string> names;  // of the files that land
    } cases[] = {
        // Input 1's file is published while input 2's rows commit; its name is free again once
        // input 2's rows are in, so input 3 takes it.
        {"a publish fails while the next rows commit", Step::Rename, 1, 1, false, {0}, "cannot store the chromatogram file: Cannot save", {"run-2.stg", "run.stg"}},
        // Input 3 is reserved after input 1's name was freed, before input 2's was.
        {"two publishes fail in a row", Step::Rename, 1, 2, false, {0, 1}, "cannot store the chromatogram file: Cannot save", {"run.stg"}},
        {"the last input's publish fails", Step::Rename, 3, 1, false, {2}, "cannot store the chromatogram file: Cannot save", {"run.stg", "run-2.stg"}},
        {"a write fails on the worker", Step::Write, 2, 1, false, {1}, "cannot write the chromatogram file: Cannot write", {"run.stg", "run-3.stg"}},
        {"the worker runs out of memory writing", Step::Write, 3, 1, true, {2}, "not enough memory to store the chromatogram file", {"run.stg", "run-2.stg"}},
        {"a flush fails on the worker", Step::FileSync, 2, 1, false, {1}, "cannot store the chromatogram file: Cannot write", {"run.stg", "run-3.stg"}},
        {"the last input's flush fails", Step::FileSync, 3, 1, false, {2}, "cannot store the chromatogram file: Cannot write", {"run.stg", "run-2.stg"}},
        {"naming the flushed file fails", Step::Link, 2, 1, false, {1}, "cannot store the chromatogram file: Cannot save", {"run.stg", "run-3.stg"}},
        {"the last input's folder cannot be synced", Step::FolderSync, 3, 1, false, {2}, "cannot store the chromatogram file: Saved, but cannot make durable the folder of", {"run.stg", "run-2.stg"}},
        {"the worker runs out of memory flushing", Step::FileSync, 1, 1, true, {0}, "not enough memory to store the chromatogram file", {"run-2.stg", "run.stg"}},
        {"the worker runs out of memory publishing", Step::Rename, 2, 1, true, {1}, "not enough memory to store the chromatogram file", {"run.stg", "run-3.stg"}},
        {"nothing fails", Step::Rename, 9, 1, false, {}, "", {"run.stg", "run-2.stg", "run-3.stg"}},
    };
    int caseNumber = 0;
    for (const Case& c : cases) {
        // A few rounds: the outcome must not depend on how the threads happen to meet.
        for (int round = 0; round < 3; ++round) {
            SCOPED_TRACE(std::string(c.what) + ", round " + std::to_string(round));
            const std::string folder = testFolder("overlap-" + std::to_string(caseNumber) + "-" + std::to_string(round));
            // The same stem three times: the names show the order they were reserved in.
            const std::vector<std::string> inputs = {writeInput(folder + "/x/run.cdf", "S1"), writeInput(folder + "/y/run.cdf", "S2"),
                                                     writeInput(folder + "/z/run.cdf", "S3")};
            ImportOptions options;
            options.database = folder + "/host.db";
            AndiImporter importer(options);
            PublishFaults faults(c.step, c.onCall, c.times, c.outOfMemory);
            std::vector<ImportOutcome> outcomes;
            {
                platform::ScopedFileSystemCalls scope(faults);
                outcomes = importer.importAll(inputs);
            }
            EXPECT_EQ(faults.fired(), c.refused.empty() ? 0 : c.times);
            ASSERT_EQ(outcomes.size(), inputs.size());
            std::set<std::string> expectedFiles;
            for (std::size_t i = 0; i < outcomes.size(); ++i) {
                EXPECT_EQ(outcomes[i].input, inputs[i]);
                if (c.refused.count(i)) {
                    EXPECT_FALSE(outcomes[i].imported()) << i;
                    EXPECT_EQ(outcomes[i].refusal.rfind(c.reason, 0), 0u) << i << ": " << outcomes[i].refusal;
                } else {
                    EXPECT_TRUE(outcomes[i].imported()) << i << ": " << outcomes[i].refusal;
                }
            }
            EXPECT_FALSE(importer.databaseFailed());
            const std::string store = fs::absolute(folder + "/chromatograms").lexically_normal().string();
            for (const std::string& name : c.names)
                expectedFiles.insert(store + "/" + name);
            const Landed result = landed(options.database, store);
            EXPECT_EQ(result.folder, expectedFiles);
            EXPECT_EQ(result.rowFiles, expectedFiles);
            EXPECT_EQ(result.peaks, static_cast<int64_t>(3 * expectedFiles.size()));
            EXPECT_EQ(result.orphanPeaks, 0);
            for (const std::string& file : result.folder)
                EXPECT_GT(fs::file_size(file), 0u) << file;
        }
        ++caseNumber;
    }
}

// The rows of the input after an imported one fail: the file already on its way is still
// published, and the inputs after the failure are not tried.
TEST(ImportOverlapFaults, ADatabaseFailureBehindAFileOnItsWayKeepsThatFile)
{
    const std::string folder = testFolder("overlap-database");
    std::vector<std::string> inputs;
    for (const char* name : {"a", "b", "c", "d"})
        inputs.push_back(writeInput(folder + "/" + name + ".cdf", name));
    ImportOptions options;
    options.database = folder + "/host.db";
    {
        DataBase::Connection connection(platform::utf8ToUtf16(options.database).c_str());
        HostSchema::create(connection.handle());
        HostSchema::execute(connection.handle(),
                            "CREATE TRIGGER refuse BEFORE INSERT ON peak WHEN (SELECT count(*) FROM peak) >= 4 "
                            "BEGIN SELECT RAISE(ABORT, 'disk on fire'); END;");
    }
    AndiImporter importer(options);
    std::vector<ImportOutcome> outcomes = importer.importAll(inputs);
    ASSERT_EQ(outcomes.size(), 4u);
    EXPECT_TRUE(outcomes[0].imported()) << outcomes[0].refusal;
    EXPECT_NE(outcomes[1].refusal.find("disk on fire"), std::string::npos) << outcomes[1].refusal;
    EXPECT_EQ(outcomes[2].refusal, "not imported: the database failed on an earlier input");
    EXPECT_EQ(outcomes[3].refusal, "not imported: the database failed on an earlier input");
    EXPECT_TRUE(importer.databaseFailed());
    const std::string store = fs::absolute(folder + "/chromatograms").lexically_normal().string();
    const Landed result = landed(options.database, store);
    EXPECT_EQ(result.rowFiles, (std::set<std::string>{store + "/a.stg"}));
    EXPECT_EQ(result.folder, result.rowFiles);
    EXPECT_EQ(result.peaks, 3);
}

} // namespace
