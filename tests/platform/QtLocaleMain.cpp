// Runs the tests after a QCoreApplication exists: Qt switches the process to the user's locale
// (a decimal comma under ru_RU.UTF-8), which is exactly the situation the helpers must survive.
#include <QCoreApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
