// A sorted combo filled in one step holds the same items, in the same order and with the same
// item data, as one filled item by item; the order is a Russian reader's, letter case ignored,
// with equal texts kept in the order given.
#include "ui/SortedComboBox.h"

#include <QComboBox>
#include <gtest/gtest.h>

#include <utility>
#include <vector>

using ui::addSortedItem;
using ui::compareItemTexts;
using ui::fillSortedItems;

namespace {

std::vector<std::pair<QString, int>> shown(const QComboBox& combo)
{
    std::vector<std::pair<QString, int>> items;
    for (int i = 0; i < combo.count(); ++i)
        items.emplace_back(combo.itemText(i), combo.itemData(i).toInt());
    return items;
}

} // namespace

TEST(SortedComboBox, FilledInOneStepAsItemByItem)
{
    const std::vector<std::vector<QString>> cases = {
        {},
        {QStringLiteral("Метанол")},
        // Russian order, not code-point order: ё sorts with е, and letter case does not count;
        // equal texts under that order keep the order given.
        {QStringLiteral("Этанол"), QStringLiteral("бензол"), QStringLiteral("Ацетон"), QStringLiteral("Бензол"),
         QStringLiteral("ёлка"), QStringLiteral("елка"), QStringLiteral("Ёлка"), QStringLiteral("1-Пропанол"),
         QStringLiteral("Benzene"), QStringLiteral("бензол"), QStringLiteral("")},
    };
    for (const std::vector<QString>& texts : cases) {
        std::vector<std::pair<QString, int>> items;
        for (const QString& text : texts)
            items.emplace_back(text, 10 + static_cast<int>(items.size()));

        QComboBox oneByOne;
        for (const auto& [text, data] : items)
            addSortedItem(oneByOne, text, data);
        QComboBox inOneStep;
        inOneStep.addItem(QStringLiteral("left from before"), 99);
        fillSortedItems(inOneStep, items);

        EXPECT_EQ(shown(inOneStep), shown(oneByOne)) << texts.size() << " items";
        ASSERT_EQ(inOneStep.count(), static_cast<int>(texts.size()));
        for (int i = 1; i < inOneStep.count(); ++i)
            EXPECT_LE(compareItemTexts(inOneStep.itemText(i - 1), inOneStep.itemText(i)), 0) << i;
    }
    // The Russian order puts the Cyrillic script before the Latin one.
    QComboBox combo;
    fillSortedItems(combo, {{QStringLiteral("Этанол"), 1}, {QStringLiteral("Ацетон"), 2}, {QStringLiteral("Benzene"), 3}});
    EXPECT_EQ(shown(combo), (std::vector<std::pair<QString, int>>{
                                {QStringLiteral("Ацетон"), 2}, {QStringLiteral("Этанол"), 1}, {QStringLiteral("Benzene"), 3}}));
}
