#pragma once
// Combo boxes whose template asks for sorted items keep them in the order a Russian reader
// expects (letter case ignored), whatever order the owner adds them in. Each item carries the
// owner's value as its item data, so that the position in the list never stands for anything.
#include <QString>

#include <utility>
#include <vector>

class QComboBox;

namespace ui {

// Inserts the item where the sort order puts it (after any item that compares equal) and returns
// its index in the list.
int addSortedItem(QComboBox& combo, const QString& text, int itemData);

// Replaces every item by these (text, item data) in one step, in the order that adding them one by
// one with addSortedItem would give: by text, items that compare equal in the order given.
void fillSortedItems(QComboBox& combo, const std::vector<std::pair<QString, int>>& items);

// The index of the first item whose data equals `itemData`; -1 when there is none.
int findItemByData(const QComboBox& combo, int itemData);

// The item data of the selected item; `fallback` when nothing is selected.
int selectedItemData(const QComboBox& combo, int fallback);

// The order of two item texts: negative, zero or positive.
int compareItemTexts(const QString& a, const QString& b);

} // namespace ui
