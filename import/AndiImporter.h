#pragma once
// Imports ANDI chromatography files into the host: for every injection one database transaction
// (the assay row and channel 1's peaks) and one chromatogram file, published under its final name
// only once the transaction has committed. A refused injection leaves nothing behind.
#include "ImportOptions.h"

#include <memory>
#include <string>
#include <vector>

class AssayRows;
class SerialWorker;

namespace DataBase {
class Connection;
}

class AndiImporter {
public:
    // Opens the database, creating it with the host's schema when absent, and the chromatogram
    // folder. Raises DataBase::SqlException when the database cannot be opened or prepared.
    explicit AndiImporter(ImportOptions options);
    ~AndiImporter();

    // One outcome per injection, in input order. An INPUT is a file, or "A+B" for the two channels
    // of one injection. Stops early only when the database itself fails (databaseFailed()).
    std::vector<ImportOutcome> importAll(const std::vector<std::string>& inputs);

    bool databaseFailed() const { return databaseFailed_; }
    const std::string& storeFolder() const { return store_; }

private:
    struct Injection;
    struct ReadFile;
    struct Prepared;
    struct InFlight;
    ReadFile readFile(const std::string& path) const;
    std::vector<Injection> planInjections(const std::vector<std::string>& inputs) const;
    static ImportOutcome baseOutcome(const Injection& injection);
    // Computation only (peak integration, the chromatogram's bytes), safe beside storeInjection.
    Prepared prepareInjection(Injection& injection) const;
    // Reserves the chromatogram file's name and commits the database rows; the worker writes and
    // flushes the file (under no name yet) meanwhile and publishes it once the rows are in.
    // Null when refused (the reason in the outcome), else what finishInFlight completes. On this
    // object's thread only, as is finishInFlight.
    std::shared_ptr<InFlight> storeInjection(Prepared& prepared, SerialWorker& worker);
    // Waits for the worker's publish; withdraws the rows again when it failed. Sets the outcome.
    void finishInFlight(InFlight& flight, std::vector<ImportOutcome>& outcomes);

    ImportOptions options_;
    std::string store_;
    std::unique_ptr<DataBase::Connection> connection_;
    std::unique_ptr<AssayRows> rows_;  // declared after the connection: finalized before it closes
    bool databaseFailed_ = false;
};
