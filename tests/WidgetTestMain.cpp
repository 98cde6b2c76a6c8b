// Widget tests need a QApplication. It also switches the process to the user's locale (a decimal
// comma under ru_RU.UTF-8), which every number the windows show must survive.
#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    // The tests start with the offscreen platform; a run by hand without it needs no display either.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
