#pragma once
// The host database's assays as the host's own assay dialog lists them: every assay that is
// neither deleted nor hidden.
#include <QString>

#include <cstdint>
#include <vector>

struct AssayCatalogEntry {
    int32_t id = 0;
    QString fileName;  // full path of the chromatogram file
    QString sample;
    QString mixture;
    int64_t date = 0;  // seconds since 1970-01-01 UTC
    bool isCalibration = false;
};

class AssayCatalog {
public:
    // Reads the database read-only, in id order. Empty with `error` set when it cannot be read.
    static std::vector<AssayCatalogEntry> read(const QString& databasePath, QString* error = nullptr);
};
