#include "EnglishResourceScope.h"

#include "platform/Library.h"
#include "resources/ResourceModule.h"

namespace {

const resources::ResourceTables* englishTables()
{
    static const resources::ResourceTables* tables = []() -> const resources::ResourceTables* {
        platform::LibraryHandle library = platform::loadLibrary(u"" VEXOL_BIN_DIR "/libvexolENU.so");
        if (!library)
            return nullptr;
        auto tablesOf = reinterpret_cast<VexolResourceTablesFn>(
            platform::librarySymbol(library, VEXOL_RESOURCE_TABLES_SYMBOL));
        return tablesOf ? tablesOf() : nullptr;
    }();
    return tables;
}

} // namespace

EnglishResourceScope::EnglishResourceScope()
{
    const resources::ResourceTables* tables = englishTables();
    loaded_ = tables != nullptr;
    resources::resourceModule().useTables(tables);
}

EnglishResourceScope::~EnglishResourceScope() { resources::resourceModule().useTables(nullptr); }
