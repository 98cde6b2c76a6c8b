#pragma once
// The host database's tables as this system reads them: `assay` (one row per chromatogram) and
// `peak` (the peaks the host named, by assay). The host stand-in, the demo generator and the tests
// create the same tables from here, so that the assay query always finds what it reads.
#include <cstdint>
#include <string>

struct sqlite3;

struct HostAssayRow {
    int64_t id = 0;                 // 0: let the database number it
    std::u16string fileName;        // full path of the chromatogram file
    std::u16string sample;
    std::u16string mixture;
    int64_t date = 0;               // seconds since 1970-01-01 00:00 UTC
    bool isCalibration = false;
    bool isDeleted = false;
    bool isHidden = false;
};

struct HostPeakRow {
    int64_t assayId = 0;
    std::u16string name;
    double time = 0;
    double area = 0;
};

class HostSchema {
public:
    // CREATE TABLE / CREATE INDEX statements, each ending in ";".
    static const char* createStatements();

    // Creates the tables and the index when they are missing. Raises DataBase::SqlException.
    static void create(sqlite3* handle);
    // Adds one row and returns its id. Raise DataBase::SqlException.
    static int64_t insertAssay(sqlite3* handle, const HostAssayRow& row);
    static void insertPeak(sqlite3* handle, const HostPeakRow& row);
    // Runs one or more statements without results, in one go. Raises DataBase::SqlException.
    static void execute(sqlite3* handle, const char* sql);
};
