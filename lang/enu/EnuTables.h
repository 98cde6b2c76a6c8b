#pragma once
#include "resources/ResourceTables.h"

namespace enu {

extern const resources::StringEntry kStrings[];
extern const int32_t kStringCount;
extern const resources::DialogTemplate* const kDialogs;
extern const int32_t kDialogCount;
extern const resources::IconEntry* const kIcons;
extern const int32_t kIconsCount;

} // namespace enu
