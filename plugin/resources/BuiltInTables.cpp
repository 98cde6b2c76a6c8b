#include "resources/BuiltInTables.h"
#include "resources/ResourceModule.h"

namespace resources {

const ResourceTables& builtInTables()
{
    static const ResourceTables tables {
        sizeof(ResourceTables), kStringsRus, kStringsRusCount, kDialogsRus, kDialogsRusCount, kIconsRus, kIconsRusCount,
    };
    return tables;
}

} // namespace resources
