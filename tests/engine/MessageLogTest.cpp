#include <gtest/gtest.h>

#include "engine/MessageLog.h"

TEST(MessageLog, EmptyLogShowsNoMessagesAndFlattensToNothing)
{
    MessageLog log;
    log.addError(u"e %d", 1);
    log.addWarning(u"w");
    log.clear();
    EXPECT_EQ(log.displayLines(), std::vector<std::u16string>{u"Сообщений нет!"});
    EXPECT_TRUE(log.flattened().empty());
}

TEST(MessageLog, FormatsItsArgumentsInTheCLocale)
{
    MessageLog log;
    log.addError(u"Для расчета требуется 2 аналитические хроматограммы, загружено %d.", -3);
    log.addWarning(u"\"%s\": для градуировки нужно не менее 2 разных концентраций.", u"Бензол");
    ASSERT_EQ(log.errors().size(), 1u);
    EXPECT_EQ(log.errors()[0], u"Для расчета требуется 2 аналитические хроматограммы, загружено -3.");
    EXPECT_EQ(log.warnings()[0], u"\"Бензол\": для градуировки нужно не менее 2 разных концентраций.");
}

TEST(MessageLog, NumbersRunOnAcrossGroupsAndEmptyGroupsHaveNoHeader)
{
    MessageLog log;
    log.addWarning(u"w1");
    log.addError(u"e%d", 1);
    log.addInfo(u"i1");
    log.addWarning(u"w1");  // the same text twice is listed twice
    std::vector<std::u16string> expected{u"Ошибки:", u"    1. e1", u"Предупреждения:", u"    2. w1",
                                         u"    3. w1", u"Информация:", u"    4. i1"};
    EXPECT_EQ(log.displayLines(), expected);
    std::vector<std::u16string> flat{u"Ошибка: e1", u"Предупреждение: w1", u"Предупреждение: w1",
                                     u"Информация: i1"};
    EXPECT_EQ(log.flattened(), flat);

    MessageLog warningsOnly;
    warningsOnly.addWarning(u"x");
    EXPECT_EQ(warningsOnly.displayLines(), (std::vector<std::u16string>{u"Предупреждения:", u"    1. x"}));
}

TEST(MessageLog, TheLogIsAbsentUntilRegistered)
{
    EXPECT_EQ(theMessageLog(), nullptr);
    MessageLog log;
    setTheMessageLog(&log);
    EXPECT_EQ(theMessageLog(), &log);
    setTheMessageLog(nullptr);
    EXPECT_EQ(theMessageLog(), nullptr);
}
