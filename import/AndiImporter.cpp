#include "AndiImporter.h"

#include "AndiReader.h"
#include "AssayRows.h"
#include "ChromatogramBuilder.h"
#include "ChromatogramBytes.h"
#include "ImportFiles.h"
#include "SerialWorker.h"

#include "input/Connection.h"
#include "input/HostSchema.h"
#include "input/SqlException.h"
#include "platform/Format.h"
#include "platform/Text.h"

#include <sqlite3.h>

#include <algorithm>
#include <filesystem>
#include <future>
#include <map>
#include <new>
#include <system_error>

struct AndiImporter::ReadFile {
    std::string path;
    std::optional<AndiRun> run;
    std::string refusal;
};

// An injection made ready to store: its outcome so far (a refusal ends it here), and when it can
// go on, the chromatogram file's bytes and what its database rows hold.
struct AndiImporter::Prepared {
    ImportOutcome outcome;
    std::string stem;             // of the chromatogram file's name
    InjectionIdentity identity;
    std::vector<Peak> rowPeaks;   // channel 1's peaks, the assay's peak rows
    std::string bytes;
};

struct AndiImporter::Injection {
    std::string input;
    std::vector<ReadFile> files;  // channel 1, then channel 2
    std::string refusal;          // set when the grouping itself refuses the injection
};

namespace {

// Milliseconds SQLite waits for a host that holds the database for a moment.
constexpr int busyWaitMs = 5000;

std::string defaultStore(const std::string& database)
{
    std::filesystem::path folder = std::filesystem::path(database).parent_path();
    return (folder.empty() ? std::filesystem::path("chromatograms") : folder / "chromatograms").string();
}

std::string stemOf(const std::string& path)
{
    std::string stem = std::filesystem::path(path).stem().string();
    // Leading dots would hide the file; an empty stem still needs a name.
    while (!stem.empty() && stem.front() == '.')
        stem.erase(stem.begin());
    return stem.empty() ? std::string("andi") : stem;
}

} // namespace

AndiImporter::AndiImporter(ImportOptions options) : options_(std::move(options))
{
    store_ = options_.store.empty() ? defaultStore(options_.database) : options_.store;
    std::u16string database = platform::utf8ToUtf16(options_.database);
    connection_ = std::make_unique<DataBase::Connection>(database.c_str());
    sqlite3_busy_timeout(connection_->handle(), busyWaitMs);
    HostSchema::create(connection_->handle());
    rows_ = std::make_unique<AssayRows>(connection_->handle());
}

AndiImporter::~AndiImporter() = default;

AndiImporter::ReadFile AndiImporter::readFile(const std::string& path) const
{
    ReadFile file;
    file.path = path;
    std::string bytes;
    int64_t modified = 0;
    std::string error;
    if (!importfiles::readWhole(path, bytes, modified, error)) {
        file.refusal = error;
        return file;
    }
    AndiReadResult result = readAndi(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), modified);
    file.run = std::move(result.run);
    file.refusal = std::move(result.refusal);
    return file;
}

std::vector<AndiImporter::Injection> AndiImporter::planInjections(const std::vector<std::string>& inputs) const
{
    std::vector<Injection> injections;
    // Single files waiting to be paired, by sample name and injection stamp; -1 marks a file that
    // could not be read and so stays an injection of its own.
    std::vector<std::size_t> singles;
    for (const std::string& input : inputs) {
        Injection injection;
        injection.input = input;
        std::error_code code;
        const std::size_t plus = input.find('+');
        if (plus != std::string::npos && !std::filesystem::exists(input, code)) {
            const std::string first = input.substr(0, plus);
            const std::string second = input.substr(plus + 1);
            if (first.empty() || second.empty() || second.find('+') != std::string::npos) {
                injection.refusal = "a pair is written A+B, with exactly two files";
            } else {
                injection.files.push_back(readFile(first));
                injection.files.push_back(readFile(second));
            }
        } else {
            injection.files.push_back(readFile(input));
            singles.push_back(injections.size());
        }
        injections.push_back(std::move(injection));
    }
    if (!options_.autoPair)
        return injections;

    std::map<std::pair<std::u16string, std::string>, std::vector<std::size_t>> groups;  // by name and stamp
    std::vector<std::pair<std::u16string, std::string>> order;
    for (std::size_t index : singles) {
        const ReadFile& file = injections[index].files.front();
        if (!file.run)
            continue;
        auto key = std::make_pair(file.run->sampleName, file.run->injectionStamp);
        if (groups[key].empty())
            order.push_back(key);
        groups[key].push_back(index);
    }
    std::vector<bool> absorbed(injections.size(), false);
    for (const auto& key : order) {
        std::vector<std::size_t>& members = groups[key];
        if (members.size() == 1)
            continue;
        if (members.size() > 2) {
            for (std::size_t index : members)
                injections[index].refusal = platform::format8(
                    "%d files share the sample name and injection time; an injection has at most two channels, pair them with A+B",
                    {static_cast<unsigned long long>(members.size())});
            continue;
        }
        std::stable_sort(members.begin(), members.end(), [&](std::size_t a, std::size_t b) {
            return injections[a].files.front().run->detectorName < injections[b].files.front().run->detectorName;
        });
        Injection& keep = injections[members[0]];
        Injection& other = injections[members[1]];
        keep.input = keep.files.front().path + "+" + other.files.front().path;
        keep.files.push_back(std::move(other.files.front()));
        absorbed[members[1]] = true;
    }
    std::vector<Injection> planned;
    for (std::size_t i = 0; i < injections.size(); ++i)
        if (!absorbed[i])
            planned.push_back(std::move(injections[i]));
    return planned;
}

namespace {

const char* const outOfMemoryRefusal = "not enough memory to import this input";

} // namespace

// An injection whose chromatogram file is with the worker: written and flushed while the rows
// commit, then published. Shared with the worker's jobs, which may outlive the importer's own hold on it.
struct AndiImporter::InFlight {
    std::size_t outcome = 0;  // its index among the outcomes
    int64_t assayId = 0;
    std::unique_ptr<importfiles::PendingChromatogram> file;
    std::string bytes;        // the file's, until the worker has written them
    // Set on the worker, read once `settled` is ready.
    bool published = false;
    std::string failure;
    bool outOfMemory = false;
    bool unexpected = false;
    std::promise<void> done;
    std::future<void> settled = done.get_future();

    void write() noexcept
    {
        try {
            file->write(bytes);
            std::string().swap(bytes);
        } catch (const std::bad_alloc&) {
            outOfMemory = true;
        } catch (const std::exception&) {
            unexpected = true;
        }
    }
    // The rows are in: the file may take its name.
    void publish() noexcept
    {
        if (!outOfMemory && !unexpected) {
            try {
                published = file->publish(failure);
            } catch (const std::bad_alloc&) {
                outOfMemory = true;
            } catch (const std::exception&) {
                unexpected = true;
            }
        }
        done.set_value();
    }
    // The rows did not go in: the worker lets go of the file unpublished.
    void release() noexcept { done.set_value(); }
};

std::vector<ImportOutcome> AndiImporter::importAll(const std::vector<std::string>& inputs)
{
    std::vector<ImportOutcome> outcomes;
    std::vector<Injection> injections = planInjections(inputs);
    importfiles::removeLeftovers(store_);
    // Three things overlap. The next injection's chromatogram is built on a second thread while
    // the current one is stored: building is pure computation, storing waits on the disk. While
    // this thread commits an injection's rows, the worker writes and flushes that injection's file
    // (it has no name yet) and publishes the one before, whose rows are in: the disk's work for the
    // file, its folder and the database then runs side by side instead of one after another. The
    // database, the names reserved in input order and the withdrawal of the rows of a file that
    // could not be published stay on this thread. Declared after the injections, the pending build
    // is waited for before they go away; the worker finishes its jobs before the importer goes.
    std::shared_ptr<InFlight> inFlight;
    SerialWorker worker;
    std::future<Prepared> next;
    auto build = [this, &injections](std::size_t index) { return prepareInjection(injections[index]); };
    // A build that ran out of memory refuses its injection; nothing of it is on disk yet.
    auto take = [&](std::future<Prepared>& pending, std::size_t index) {
        try {
            return pending.valid() ? pending.get() : build(index);
        } catch (const std::bad_alloc&) {
            Prepared refused;
            refused.outcome = baseOutcome(injections[index]);
            refused.outcome.refusal = outOfMemoryRefusal;
            return refused;
        }
    };
    for (std::size_t i = 0; i < injections.size(); ++i) {
        if (databaseFailed_) {
            if (next.valid())
                take(next, i);  // built already, of no use now; nothing of it is on disk
            ImportOutcome outcome = baseOutcome(injections[i]);
            outcome.refusal = "not imported: the database failed on an earlier input";
            outcomes.push_back(std::move(outcome));
            continue;
        }
        Prepared current = take(next, i);
        if (i + 1 < injections.size()) {
            try {
                next = std::async(std::launch::async, build, i + 1);
            } catch (const std::system_error&) {
                next = std::async(std::launch::deferred, build, i + 1);  // no thread to be had: built when needed
            }
        }
        std::shared_ptr<InFlight> stored;
        if (current.outcome.refusal.empty())
            stored = storeInjection(current, worker);
        outcomes.push_back(std::move(current.outcome));
        if (!stored)
            continue;
        stored->outcome = outcomes.size() - 1;
        // The one before has had this injection's commit to be published meanwhile.
        if (inFlight)
            finishInFlight(*inFlight, outcomes);
        inFlight = std::move(stored);
    }
    // Every file is published and synced, or its rows withdrawn, before the outcomes say so.
    if (inFlight)
        finishInFlight(*inFlight, outcomes);
    return outcomes;
}

ImportOutcome AndiImporter::baseOutcome(const Injection& injection)
{
    ImportOutcome outcome;
    outcome.input = injection.input;
    for (const ReadFile& file : injection.files)
        outcome.files.push_back(file.path);
    return outcome;
}

AndiImporter::Prepared AndiImporter::prepareInjection(Injection& injection) const
{
    Prepared prepared;
    ImportOutcome& outcome = prepared.outcome;
    outcome = baseOutcome(injection);
    if (!injection.refusal.empty()) {
        outcome.refusal = injection.refusal;
        return prepared;
    }
    for (const ReadFile& file : injection.files) {
        if (!file.run) {
            outcome.refusal = injection.files.size() > 1 ? file.path + ": " + file.refusal : file.refusal;
            return prepared;
        }
    }
    std::vector<ImportedChannel> channels;
    for (std::size_t c = 0; c < injection.files.size(); ++c) {
        ReadFile& file = injection.files[c];
        ImportedChannel channel;
        channel.number = static_cast<int32_t>(c + 1);
        channel.sourceFile = std::filesystem::path(file.path).filename().string();
        channel.run = std::move(*file.run);
        const std::string prefix = injection.files.size() > 1 ? platform::format8("channel %d: ", {channel.number}) : std::string();
        for (const std::string& warning : channel.run.warnings)
            outcome.warnings.push_back(prefix + warning);
        const bool integrate = !channel.run.hasPeakTable || options_.reintegrate;
        if (integrate && !channel.run.signalValues.empty()) {
            channel.peaks = PeakIntegrator(options_.integration).integrate(channel.run.signalTimes, channel.run.signalValues);
            outcome.channels.push_back({channel.number, channel.peaks.size(), "integrated"});
        } else {
            if (integrate)
                outcome.warnings.push_back(prefix + "no raw signal to integrate; the file's peak table was kept");
            channel.peaks = std::move(channel.run.peaks);
            outcome.channels.push_back({channel.number, channel.peaks.size(), "peak-table"});
        }
        channels.push_back(std::move(channel));
    }

    InjectionIdentity& identity = prepared.identity;
    identity.sample = options_.sample ? *options_.sample : channels.front().run.sampleName;
    identity.mixture = options_.mixture.value_or(u"");
    identity.calibration = options_.calibration;
    identity.date = channels.front().run.injectionTime;
    prepared.bytes = chromatogramBytes(buildChromatogram(channels, identity));
    prepared.stem = stemOf(injection.files.front().path);
    prepared.rowPeaks = std::move(channels.front().peaks);
    return prepared;
}

std::shared_ptr<AndiImporter::InFlight> AndiImporter::storeInjection(Prepared& prepared, SerialWorker& worker)
{
    ImportOutcome& outcome = prepared.outcome;
    std::string error;
    if (!importfiles::makeFolder(store_, error)) {
        outcome.refusal = error;
        return nullptr;
    }
    auto flight = std::make_shared<InFlight>();
    flight->file = std::make_unique<importfiles::PendingChromatogram>(store_, prepared.stem);
    if (!flight->file->ready()) {
        outcome.refusal = flight->file->error();
        return nullptr;
    }
    flight->bytes = std::move(prepared.bytes);
    worker.post([flight] { flight->write(); });
    try {
        HostAssayRow row;
        row.fileName = platform::utf8ToUtf16(flight->file->finalPath());
        row.sample = prepared.identity.sample;
        row.mixture = prepared.identity.mixture;
        row.date = prepared.identity.date;
        row.isCalibration = prepared.identity.calibration;
        flight->assayId = rows_->insert(row, prepared.rowPeaks);
    } catch (const DataBase::SqlException& failure) {
        databaseFailed_ = true;
        outcome.refusal = std::string("database error: ") + failure.message();
    } catch (const std::bad_alloc&) {
        outcome.refusal = outOfMemoryRefusal;
    }
    if (!outcome.refusal.empty()) {
        // The file goes unpublished, here, once the worker is done with it.
        worker.post([flight] { flight->release(); });
        flight->settled.wait();
        flight->file.reset();
        return nullptr;
    }
    worker.post([flight] { flight->publish(); });
    return flight;
}

void AndiImporter::finishInFlight(InFlight& flight, std::vector<ImportOutcome>& outcomes)
{
    flight.settled.wait();
    ImportOutcome& outcome = outcomes[flight.outcome];
    if (flight.published) {
        outcome.assayId = flight.assayId;
        return;
    }
    std::string error = flight.outOfMemory ? std::string("not enough memory to store the chromatogram file")
                        : flight.unexpected ? std::string("the chromatogram file could not be stored")
                                            : flight.failure;
    // The row must not point at a file that is not there.
    try {
        rows_->withdraw(flight.assayId);
    } catch (const DataBase::SqlException& failure) {
        databaseFailed_ = true;
        error += std::string("; the database row could not be withdrawn: ") + failure.message();
    }
    outcome.refusal = error;
    // What is left of the file (its temporary, the reserved name) goes here, on this thread, so
    // that the names later injections reserve do not depend on the worker's timing.
    flight.file.reset();
}
