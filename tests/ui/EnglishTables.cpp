#include "EnglishTables.h"

#include "platform/Library.h"
#include "resources/ResourceModule.h"

const resources::ResourceTables* englishTables()
{
    static const resources::ResourceTables* tables = [] () -> const resources::ResourceTables* {
        platform::LibraryHandle library = platform::loadLibrary(u"" VEXOL_BIN_DIR "/libvexolENU.so");
        if (!library)
            return nullptr;
        auto fn = reinterpret_cast<VexolResourceTablesFn>(platform::librarySymbol(library, VEXOL_RESOURCE_TABLES_SYMBOL));
        return fn ? fn() : nullptr;
    }();
    return tables;
}

EnglishResources::EnglishResources()
{
    const resources::ResourceTables* tables = englishTables();
    loaded_ = tables != nullptr;
    resources::resourceModule().useTables(tables);
}

EnglishResources::~EnglishResources() { resources::resourceModule().useTables(nullptr); }
