// Widget tests need a QApplication; it also switches the process to the user's locale (a decimal
// comma under ru_RU.UTF-8), which every number shown must survive.
#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
