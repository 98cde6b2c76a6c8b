#pragma once
// The English language library's tables, loaded from the build's bin folder; null when it does
// not load. Loaded once and kept for the whole test run.
#include "resources/ResourceTables.h"

const resources::ResourceTables* englishTables();

// Makes the English tables the resource module's for as long as it lives.
class EnglishResources {
public:
    EnglishResources();
    ~EnglishResources();
    bool loaded() const { return loaded_; }

private:
    bool loaded_ = false;
};
