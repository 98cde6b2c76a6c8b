// Icons from the tables: button images from the plug-in's own images in their drawn size, the
// window icon from the resource module.
#include "EnglishTables.h"
#include "ui/ResourceIcons.h"

#include <QImage>
#include <QPixmap>
#include <gtest/gtest.h>

TEST(ResourceIcons, CommandImagesAreSixteenPixelGlyphs)
{
    for (int id = 105; id <= 113; ++id) {
        const QIcon icon = ui::libraryIcon(id);
        ASSERT_FALSE(icon.isNull()) << id;
        const QList<QSize> sizes = icon.availableSizes();
        ASSERT_EQ(sizes.size(), 1) << id;
        EXPECT_EQ(sizes.front(), QSize(16, 16)) << id;
        // Not an empty square: something is drawn and some of it is transparent or light.
        const QImage image = icon.pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32);
        int opaque = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                opaque += qAlpha(image.pixel(x, y)) > 128;
        EXPECT_GT(opaque, 20) << id;
        EXPECT_LT(opaque, 256) << id;
    }
}

TEST(ResourceIcons, ProductIconHasAnImageForEachUse)
{
    const QIcon icon = ui::libraryIcon(114);
    const QList<QSize> sizes = icon.availableSizes();
    EXPECT_TRUE(sizes.contains(QSize(16, 16)));
    EXPECT_TRUE(sizes.contains(QSize(32, 32)));
    EXPECT_TRUE(sizes.contains(QSize(80, 80)));
    EXPECT_EQ(icon.pixmap(QSize(80, 80)).size(), QSize(80, 80));
}

TEST(ResourceIcons, WindowIconFollowsTheModuleButtonImagesDoNot)
{
    EnglishResources english;
    ASSERT_TRUE(english.loaded());
    EXPECT_FALSE(ui::moduleIcon(114).isNull()) << "the language library carries the window icon";
    EXPECT_TRUE(ui::moduleIcon(108).isNull()) << "it has no button images";
    EXPECT_FALSE(ui::libraryIcon(108).isNull()) << "the buttons read the plug-in's own";
}

TEST(ResourceIcons, UnknownIdOrBrokenImageGivesANullIcon)
{
    EXPECT_TRUE(ui::libraryIcon(999).isNull());
    static const unsigned char notPng[] = {1, 2, 3, 4};
    static const resources::IconEntry entries[] = {{114, notPng, sizeof notPng}, {114, nullptr, 0}};
    const resources::ResourceTables tables {sizeof(resources::ResourceTables), nullptr, 0, nullptr, 0, entries, 2};
    EXPECT_TRUE(ui::iconFromTables(tables, 114).isNull());
}
