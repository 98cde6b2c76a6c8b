#include "resources/ResourceModule.h"

namespace resources {

const char16_t* findString(const ResourceTables& tables, int id)
{
    for (int32_t i = 0; i < tables.stringCount; ++i)
        if (tables.strings[i].id == id)
            return tables.strings[i].text;
    return nullptr;
}

const DialogTemplate* findDialog(const ResourceTables& tables, int id)
{
    for (int32_t i = 0; i < tables.dialogCount; ++i)
        if (tables.dialogs[i].id == id)
            return &tables.dialogs[i];
    return nullptr;
}

const IconEntry* findIcon(const ResourceTables& tables, int id)
{
    for (int32_t i = 0; i < tables.iconCount; ++i)
        if (tables.icons[i].id == id)
            return &tables.icons[i];
    return nullptr;
}

void ResourceModule::useTables(const ResourceTables* tables)
{
    // A table from a library built with an older, shorter record is not trusted.
    if (tables && tables->size < sizeof(ResourceTables))
        tables = nullptr;
    tables_ = tables;
}

std::u16string ResourceModule::loadString(int id) const
{
    const char16_t* text = findString(current(), id);
    return text ? std::u16string(text) : std::u16string();
}

const DialogTemplate* ResourceModule::dialog(int id) const
{
    return findDialog(current(), id);
}

const IconEntry* ResourceModule::icon(int id) const
{
    return findIcon(current(), id);
}

ResourceModule& resourceModule()
{
    static ResourceModule module;
    return module;
}

} // namespace resources
