// The page and the dialog are widgets: they need a QApplication, which also switches the process
// to the user's locale (a decimal comma under ru_RU.UTF-8) that the windows must not follow.
#include <QApplication>
#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv)
{
    // Listing the tests at build time happens without the test environment; the windows are
    // never shown on a real display either way.
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
