#include <gtest/gtest.h>

#include "engine/MessageLog.h"

#include <new>
#include <string_view>
#include <utility>
#include <string>
#include <vector>

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

namespace {

std::u16string asText(int number)
{
    const std::string digits = std::to_string(number);
    return std::u16string(digits.begin(), digits.end());
}

} // namespace

// A list showing a screenful asks for single lines: each must be the line the whole list has at
// that place, at the groups' edges too, and nothing past the end.
TEST(MessageLog, EachDisplayLineAloneIsTheLineAtItsPlace)
{
    struct Case {
        int errors, warnings, infos;
        std::vector<std::pair<std::size_t, std::u16string>> lines;  // index, expected line
        std::size_t count;
    };
    const Case cases[] = {
        {0, 0, 0, {{0, u"Сообщений нет!"}, {1, u""}}, 1},
        {2, 0, 0, {{0, u"Ошибки:"}, {2, u"    2. e2"}, {3, u""}}, 3},
        {0, 3, 1, {{0, u"Предупреждения:"}, {3, u"    3. w3"}, {4, u"Информация:"}, {5, u"    4. i1"}}, 6},
        {1, 10, 2, {{1, u"    1. e1"}, {2, u"Предупреждения:"}, {3, u"    2. w1"}, {12, u"    11. w10"},
                    {13, u"Информация:"}, {15, u"    13. i2"}, {16, u""}}, 16},
    };
    for (const Case& c : cases) {
        MessageLog log;
        for (int i = 1; i <= c.warnings; ++i)
            log.addWarning(u"w%s", asText(i));
        for (int i = 1; i <= c.errors; ++i)
            log.addError(u"e%d", i);
        for (int i = 1; i <= c.infos; ++i)
            log.addInfo(i == 1 ? u"i1" : u"i2");
        const std::vector<std::u16string> all = log.displayLines();
        ASSERT_EQ(log.displayLineCount(), c.count);
        ASSERT_EQ(all.size(), c.count);
        for (const auto& [index, expected] : c.lines) {
            EXPECT_EQ(log.displayLine(index), expected) << "line " << index << " of " << c.count;
            if (index < all.size()) {
                EXPECT_EQ(all[index], expected);
            }
        }
        std::vector<std::u16string> visited;
        log.visitFlattened([&](std::u16string_view prefix, std::u16string_view text) {
            visited.push_back(std::u16string(prefix) + std::u16string(text));
        });
        EXPECT_EQ(visited, log.flattened());
    }
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

// The texts of a category lie end to end in one buffer; each must come back whole and alone, empty
// ones included, and a text whose writing fails must leave no trace in the ones that follow.
TEST(MessageList, TextsComeBackWholeAndAFailedWriteLeavesNoTrace)
{
    MessageList list;
    const std::vector<std::u16string> texts = {u"первый", u"", u"третий \"%s\"", std::u16string(5000, u'ж'), u""};
    for (const std::u16string& text : texts)
        list.push_back(text);
    EXPECT_TRUE(list == texts);
    EXPECT_EQ(list.front(), texts.front());
    EXPECT_EQ(list.back(), u"");
    EXPECT_EQ(std::vector<std::u16string>(list.begin(), list.end()), texts);
    EXPECT_EQ(list.end() - list.begin(), 5);

    struct WriteFailed {};
    EXPECT_THROW(list.write([](std::u16string& out) {
        out.append(u"half a message");
        throw WriteFailed();
    }),
                 WriteFailed);
    ASSERT_EQ(list.size(), texts.size());
    list.write([](std::u16string& out) { out.append(u"после сбоя"); });
    EXPECT_EQ(list.back(), u"после сбоя");
    EXPECT_EQ(list[3], texts[3]);
    EXPECT_EQ(list.toStrings().size(), texts.size() + 1);

    list.clear();
    EXPECT_TRUE(list.empty());
    list.push_back(u"снова");
    EXPECT_TRUE(list == std::vector<std::u16string>{u"снова"});
    EXPECT_FALSE(list == texts);
}

// Warnings written in place sit in order among those added whole, and a warning whose writing
// fails is not shown or numbered.
TEST(MessageLog, WarningsWrittenInPlaceKeepTheirOrder)
{
    MessageLog log;
    log.addWarning(u"one");
    log.writeWarning([](std::u16string& out) { out.append(u"two"); });
    EXPECT_THROW(log.writeWarning([](std::u16string& out) {
        out.append(u"broken");
        throw std::bad_alloc();
    }),
                 std::bad_alloc);
    log.addWarning(u"%s!", u"three");
    EXPECT_EQ(log.displayLines(),
              (std::vector<std::u16string>{u"Предупреждения:", u"    1. one", u"    2. two", u"    3. three!"}));
}
