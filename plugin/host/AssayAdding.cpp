#include "host/AssayAdding.h"

#include "engine/TableFacts.h"
#include "input/AssayLoader.h"
#include "input/Connection.h"
#include "input/SqlException.h"
#include "platform/Format.h"
#include "platform/Text.h"

#include <optional>
#include <utility>

namespace host {

int32_t chosenIdCount(intptr_t hostResult)
{
    // The host answers with a 32-bit count; whatever the wider register holds above it is noise.
    const auto count = static_cast<int32_t>(static_cast<uint32_t>(static_cast<uintptr_t>(hostResult)));
    if (count <= 0)  // 0, 0x80000000 and every other negative count: nothing to read
        return 0;
    return count > assayIdCapacity ? assayIdCapacity : count;
}

void loadNewAssays(DataBase::Connection& connection, const std::vector<int32_t>& ids, AssayMap& assays,
                   std::vector<UnreadChromatogram>& unread,
                   const std::function<void(int32_t id, const AssayRecord& record, int32_t fileResult)>& added)
{
    for (int32_t id : ids) {
        if (assays.count(id))
            continue;
        int32_t fileResult = 0;
        std::optional<AssayRecord> record = loadAssay(connection, id, &fileResult);
        if (!record)
            continue;
        if (fileResult != 0)
            unread.push_back({fileResult, record->fileName});
        // Moving the record into the map keeps its tables where the facts saw them.
        record->calculationFacts = learnCalculationFacts(*record);
        auto inserted = assays.emplace(id, std::move(*record)).first;
        if (added)
            added(id, inserted->second, fileResult);
    }
}

std::u16string unreadChromatogramsText(const std::vector<UnreadChromatogram>& unread)
{
    std::u16string text;
    for (const UnreadChromatogram& file : unread) {
        if (!text.empty())
            text += u"\n";
        text += fileLoadErrorText(file.code, file.fileName);
    }
    return text;
}

std::u16string databaseFailureText(const DataBase::SqlException& failure)
{
    return platform::format(u"Не удалось загрузить хроматограммы из базы данных.\n%s\nКод ошибки SQLite: %d.",
                            {platform::utf8ToUtf16(failure.message()), failure.code()});
}

} // namespace host
