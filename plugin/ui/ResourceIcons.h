#pragma once
// Icons of the resource tables as QIcon, with every size the tables hold for the id, so that
// each use gets the image drawn for its size.
#include "resources/ResourceTables.h"

#include <QIcon>

namespace ui {

// All images with this id in `tables`; a null icon when there is none.
QIcon iconFromTables(const resources::ResourceTables& tables, int id);

// From the plug-in's own tables: button images and the About picture never come from a
// language library.
QIcon libraryIcon(int id);

// From the resource module (the language library when one is in use): the window icon.
QIcon moduleIcon(int id);

} // namespace ui
