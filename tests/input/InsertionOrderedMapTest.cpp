#include "input/AssayRecord.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace {

std::vector<int32_t> idsOf(const AssayMap& assays)
{
    std::vector<int32_t> ids;
    for (const auto& [id, record] : assays)
        ids.push_back(id);
    return ids;
}

AssayRecord named(const char16_t* fileName)
{
    AssayRecord record;
    record.fileName = fileName;
    return record;
}

} // namespace

TEST(InsertionOrderedMap, WalksInTheOrderOfAdditionThroughAddsRepeatsAndRemovals)
{
    AssayMap assays;
    for (int32_t id : {7, 3, 12, 1, 250, 40})
        assays.emplace(id, named(u"first"));
    EXPECT_EQ(idsOf(assays), (std::vector<int32_t>{7, 3, 12, 1, 250, 40}));

    // An id already there keeps its place and its record.
    const auto repeated = assays.emplace(12, named(u"again"));
    EXPECT_FALSE(repeated.second);
    EXPECT_EQ(repeated.first->second.fileName, u"first");
    assays[3].sample = u"changed in place";
    EXPECT_EQ(idsOf(assays), (std::vector<int32_t>{7, 3, 12, 1, 250, 40}));

    // Removing keeps the order of the rest; an id added again goes to the end.
    EXPECT_EQ(assays.erase(12), 1u);
    EXPECT_EQ(assays.erase(12), 0u);
    EXPECT_EQ(assays.erase(7), 1u);
    assays[7] = named(u"back");
    EXPECT_EQ(idsOf(assays), (std::vector<int32_t>{3, 1, 250, 40, 7}));
    EXPECT_EQ(assays.size(), 5u);
    EXPECT_EQ(assays.count(12), 0u);
    EXPECT_EQ(assays.find(12), assays.end());
    EXPECT_EQ(assays.find(3)->second.sample, u"changed in place");
    EXPECT_EQ(assays.at(7).fileName, u"back");
    EXPECT_THROW(assays.at(12), std::out_of_range);

    assays.clear();
    EXPECT_TRUE(assays.empty());
    EXPECT_EQ(assays.find(3), assays.end());
    assays[5];
    EXPECT_EQ(idsOf(assays), (std::vector<int32_t>{5}));
}

TEST(InsertionOrderedMap, ACopyHasItsOwnRecordsInTheSameOrder)
{
    AssayMap original;
    original[2] = named(u"two");
    original[1] = named(u"one");
    AssayMap copy = original;
    copy[1].fileName = u"copied";
    copy.erase(2);
    EXPECT_EQ(idsOf(original), (std::vector<int32_t>{2, 1}));
    EXPECT_EQ(original.find(1)->second.fileName, u"one");
    EXPECT_EQ(idsOf(copy), (std::vector<int32_t>{1}));
    EXPECT_EQ(copy.find(1)->second.fileName, u"copied");

    // Assigning replaces the content and the lookup with it.
    original = copy;
    EXPECT_EQ(idsOf(original), (std::vector<int32_t>{1}));
    EXPECT_EQ(original.count(2), 0u);
    EXPECT_EQ(original.find(1)->second.fileName, u"copied");
    AssayMap moved = std::move(original);
    EXPECT_EQ(moved.find(1)->second.fileName, u"copied");
}
