#pragma once
// Turns one host assay id into an AssayRecord: the assay's row and named peaks from the host
// database, the per-channel peak tables and the sample volume from its chromatogram file.
#include "input/AssayRecord.h"
#include "input/Connection.h"

#include <cstdint>
#include <optional>
#include <string>

// The one query the system runs on the host database.
extern const char16_t* const assayQuery;

// Empty when the assay has no visible row or no file name. Raises DataBase::SqlException when the
// query fails. A chromatogram file that cannot be read still gives the record, without channel
// tables and with volume 0; `fileResult`, when given, receives the file's result code (0 = read).
std::optional<AssayRecord> loadAssay(DataBase::Connection& connection, int32_t id, int32_t* fileResult = nullptr);

// The analyst's text for a chromatogram file that could not be read ("Ошибка %d. ...").
std::u16string fileLoadErrorText(int32_t code, const std::u16string& fileName);
