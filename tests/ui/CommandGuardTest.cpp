// The guard at the top of every window command: one message per failure, and nothing escapes,
// not even when the message box fails as well.
#include "ui/CommandGuard.h"

#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

TEST(CommandGuard, EveryFailureBecomesOneMessageAndNothingLeaves)
{
    const struct {
        std::function<void()> command;
        std::u16string message;
    } cases[] = {
        {[] { throw std::bad_alloc(); }, u"Недостаточно памяти для выполнения команды."},
        {[] { throw std::runtime_error("disk gone"); }, u"Команда не выполнена: disk gone"},
        {[] { throw 42; }, u"Команда не выполнена из-за непредвиденной ошибки."},
    };
    for (const auto& c : cases) {
        std::vector<std::u16string> shown;
        EXPECT_FALSE(ui::runCommandGuarded(c.command, [&](const std::u16string& text) { shown.push_back(text); }));
        EXPECT_EQ(shown, std::vector<std::u16string>{c.message});

        // The message box fails too (memory): the guard still returns instead of throwing.
        int attempts = 0;
        bool finished = true;
        EXPECT_NO_THROW(finished = ui::runCommandGuarded(c.command, [&](const std::u16string&) {
                            ++attempts;
                            throw std::bad_alloc();
                        }));
        EXPECT_FALSE(finished);
        EXPECT_EQ(attempts, 1);
    }

    std::vector<std::u16string> shown;
    int runs = 0;
    EXPECT_TRUE(ui::runCommandGuarded([&] { ++runs; }, [&](const std::u16string& text) { shown.push_back(text); }));
    EXPECT_EQ(runs, 1);
    EXPECT_TRUE(shown.empty());
}
