#pragma once
// The pieces of the built-in (Russian) resource tables, each defined in its own source file.
#include "resources/ResourceTables.h"

namespace resources {

extern const StringEntry kStringsRus[];
extern const int32_t kStringsRusCount;

// Dialog templates (DialogsRus.cpp) and icons (generated from icons/*.png).
extern const DialogTemplate* const kDialogsRus;
extern const int32_t kDialogsRusCount;
extern const IconEntry* const kIconsRus;
extern const int32_t kIconsRusCount;

} // namespace resources
