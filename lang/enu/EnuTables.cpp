#include "EnuTables.h"

// The strings, templates and icons are defined in StringsEnu.cpp, DialogsEnu.cpp and the
// generated IconsEnu.cpp.
extern "C" __attribute__((visibility("default"))) const resources::ResourceTables* VexolResourceTables()
{
    static const resources::ResourceTables tables {
        sizeof(resources::ResourceTables), enu::kStrings, enu::kStringCount,
        enu::kDialogs, enu::kDialogCount, enu::kIcons, enu::kIconsCount,
    };
    return &tables;
}
