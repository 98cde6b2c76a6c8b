#include "EnuTables.h"

namespace enu {

// Dialog templates and the window icon; empty until the windows bring theirs.
const resources::DialogTemplate* const kDialogs = nullptr;
const int32_t kDialogCount = 0;
const resources::IconEntry* const kIcons = nullptr;
const int32_t kIconCount = 0;

} // namespace enu

extern "C" __attribute__((visibility("default"))) const resources::ResourceTables* VexolResourceTables()
{
    static const resources::ResourceTables tables {
        sizeof(resources::ResourceTables), enu::kStrings, enu::kStringCount,
        enu::kDialogs, enu::kDialogCount, enu::kIcons, enu::kIconCount,
    };
    return &tables;
}
