#include "input/DataBaseConnectionBase.h"

#include <gtest/gtest.h>
#include <string>
#include <thread>
#include <vector>

TEST(ConnectionHolder, OneInstanceEmptyUntilSet)
{
    std::vector<DataBaseConnectionBase*> seen(8);
    std::vector<std::thread> threads;
    for (int i = 0; i < 8; ++i)
        threads.emplace_back([&seen, i] { seen[i] = &DataBaseConnectionBase::instance(); });
    for (auto& t : threads)
        t.join();
    for (auto* p : seen)
        EXPECT_EQ(p, &DataBaseConnectionBase::instance());
    EXPECT_EQ(DataBaseConnectionBase::instance().uri(), nullptr);
}

TEST(ConnectionHolder, ReplacingKeepsAnIndependentCopy)
{
    auto& holder = DataBaseConnectionBase::instance();
    std::u16string first = u"/data/first.db";
    holder.setUri(first.c_str());
    const char16_t* firstCopy = holder.uri();
    first[1] = u'X';
    EXPECT_EQ(std::u16string(holder.uri()), u"/data/first.db");
    EXPECT_NE(firstCopy, first.c_str());

    holder.setUri(u"");
    EXPECT_EQ(std::u16string(holder.uri()), u"");
    holder.setUri(u"/data/second.db");
    EXPECT_EQ(std::u16string(holder.uri()), u"/data/second.db");
    holder.setUri(nullptr);  // never clears
    EXPECT_EQ(std::u16string(holder.uri()), u"/data/second.db");
}
