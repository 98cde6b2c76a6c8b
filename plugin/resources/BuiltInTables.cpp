#include "resources/BuiltInTables.h"
#include "resources/ResourceModule.h"

namespace resources {

const DialogTemplate* const kDialogsRus = nullptr;
const int32_t kDialogsRusCount = 0;
const IconEntry* const kIconsRus = nullptr;
const int32_t kIconsRusCount = 0;

const ResourceTables& builtInTables()
{
    static const ResourceTables tables {
        sizeof(ResourceTables), kStringsRus, kStringsRusCount, kDialogsRus, kDialogsRusCount, kIconsRus, kIconsRusCount,
    };
    return tables;
}

} // namespace resources
