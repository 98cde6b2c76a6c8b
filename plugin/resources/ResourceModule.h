#pragma once
// The module every window text, template and window icon is read from: the plug-in's own
// (Russian) tables, or a language library's tables when the host speaks another language.
#include "resources/ResourceTables.h"

#include <string>

namespace resources {

const ResourceTables& builtInTables();

class ResourceModule {
public:
    // Tables of a loaded language library; null returns to the built-in ones.
    void useTables(const ResourceTables* tables);
    bool usesLanguageLibrary() const { return tables_ != nullptr; }

    // The text of a string resource; empty when the module has none with that id.
    std::u16string loadString(int id) const;
    const DialogTemplate* dialog(int id) const;
    const IconEntry* icon(int id) const;

    // The tables in use, for readers that need every entry of an id (an icon's sizes).
    const ResourceTables& current() const { return tables_ ? *tables_ : builtInTables(); }

private:
    const ResourceTables* tables_ = nullptr;
};

// The library-wide resource module.
ResourceModule& resourceModule();

// Lookups in one table, shared by the module and the tests of a language library.
const char16_t* findString(const ResourceTables& tables, int id);
const DialogTemplate* findDialog(const ResourceTables& tables, int id);
const IconEntry* findIcon(const ResourceTables& tables, int id);

} // namespace resources
