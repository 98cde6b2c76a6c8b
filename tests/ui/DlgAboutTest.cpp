// The About dialog: texts from the resource module, the picture from the plug-in's own images.
#include "EnglishTables.h"
#include "Screenshots.h"
#include "ui/DialogBuilder.h"
#include "ui/DlgAbout.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using ui::DlgAbout;

TEST(AboutDialog, ShowsTheProductIconAtEightyPixels)
{
    DlgAbout dialog;
    auto* picture = ui::findControlAs<QLabel>(&dialog, 1028);
    ASSERT_NE(picture, nullptr);
    const QPixmap image = picture->pixmap();
    EXPECT_EQ(image.size(), QSize(80, 80));
    EXPECT_EQ(picture->size(), QSize(80, 80));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("О плагине"));
    EXPECT_FALSE(dialog.windowIcon().isNull());
    // The picture must not cover the texts beside it.
    for (QLabel* label : dialog.findChildren<QLabel*>(QStringLiteral("-1")))
        EXPECT_FALSE(picture->geometry().intersects(label->geometry())) << label->text().toStdString();
}

TEST(AboutDialog, OkEscapeAndCloseBoxClose)
{
    {
        DlgAbout dialog;
        dialog.show();
        ui::findControlAs<QPushButton>(&dialog, 1)->click();
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    }
    {
        DlgAbout dialog;
        dialog.show();
        QTest::keyClick(&dialog, Qt::Key_Escape);
        EXPECT_FALSE(dialog.isVisible());
    }
}

TEST(AboutDialog, EnglishTextsSameImage)
{
    const QImage russianPicture = [] {
        DlgAbout dialog;
        return ui::findControlAs<QLabel>(&dialog, 1028)->pixmap().toImage();
    }();
    {
        DlgAbout dialog;
        dialog.show();
        EXPECT_TRUE(saveScreenshot(&dialog, QStringLiteral("about_rus")));
    }
    EnglishResources english;
    ASSERT_TRUE(english.loaded());
    DlgAbout dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("About"));
    bool hasVersion = false;
    for (QLabel* label : dialog.findChildren<QLabel*>())
        hasVersion = hasVersion || label->text() == QStringLiteral("Version: 1.0.0.0");
    EXPECT_TRUE(hasVersion);
    EXPECT_EQ(ui::findControlAs<QLabel>(&dialog, 1028)->pixmap().toImage(), russianPicture);
    dialog.show();
    EXPECT_TRUE(saveScreenshot(&dialog, QStringLiteral("about_enu")));
}
