#include "ui/ResourceIcons.h"

#include "resources/ResourceModule.h"

#include <QPixmap>

namespace ui {

QIcon iconFromTables(const resources::ResourceTables& tables, int id)
{
    QIcon icon;
    for (int32_t i = 0; i < tables.iconCount; ++i) {
        const resources::IconEntry& entry = tables.icons[i];
        if (entry.id != id || !entry.png)
            continue;
        QPixmap image;
        if (image.loadFromData(entry.png, static_cast<uint>(entry.size), "PNG"))
            icon.addPixmap(image);
    }
    return icon;
}

QIcon libraryIcon(int id) { return iconFromTables(resources::builtInTables(), id); }

QIcon moduleIcon(int id) { return iconFromTables(resources::resourceModule().current(), id); }

} // namespace ui
