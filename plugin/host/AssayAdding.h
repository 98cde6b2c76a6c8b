#pragma once
// Loading the assays the analyst chose in the host's assay dialog: what the host's answer means,
// loading the ids over one connection, and the texts the analyst sees when something could not be
// read. The main window's workspace and the headless front end share it.
#include "input/AssayRecord.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace DataBase {
class Connection;
class SqlException;
} // namespace DataBase

namespace host {

// Room for this many ids is handed to the host's assay dialog.
constexpr int32_t assayIdCapacity = 256;

// The number of ids to read from the host's answer to "Main/OpenAssayIdDlg": 0 and 0x80000000 mean
// nothing was chosen. The host may not write beyond the room it was given, so a larger count is
// read as the capacity and any other negative count as none.
int32_t chosenIdCount(intptr_t hostResult);

// A chromatogram file that could not be read; its assay was added all the same.
struct UnreadChromatogram {
    int32_t code = 0;  // the file layer's result code
    std::u16string fileName;
};

// Loads every id of `ids` that `assays` does not hold yet, in order (an id listed twice is loaded
// once), and inserts the record under its id; `added` runs after each insertion, with the chromatogram
// file's load code (0 = read). An id without a
// visible assay is skipped silently. Raises DataBase::SqlException; the assays inserted before the
// failure stay.
void loadNewAssays(DataBase::Connection& connection, const std::vector<int32_t>& ids, AssayMap& assays,
                   std::vector<UnreadChromatogram>& unread,
                   const std::function<void(int32_t id, const AssayRecord& record, int32_t fileResult)>& added = {});

// "Ошибка %d. Не удалось открыть файл.\n'%s'." for every file, one after the other.
std::u16string unreadChromatogramsText(const std::vector<UnreadChromatogram>& unread);

// SQLite's message and result code, for the analyst.
std::u16string databaseFailureText(const DataBase::SqlException& failure);

} // namespace host
