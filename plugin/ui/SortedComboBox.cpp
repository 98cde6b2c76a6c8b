#include "ui/SortedComboBox.h"

#include <QComboBox>
#include <QStringList>

#include <unicode/ucol.h>

#include <algorithm>
#include <memory>

namespace ui {

namespace {

struct CollatorCloser {
    void operator()(UCollator* collator) const { ucol_close(collator); }
};

// One Russian collator for the process: the list order must not follow the process locale, which
// QApplication sets from the user's environment. Secondary strength ignores letter case, as a
// sorted list box of the platform does.
UCollator* russianCollator()
{
    static const std::unique_ptr<UCollator, CollatorCloser> collator = [] {
        UErrorCode status = U_ZERO_ERROR;
        UCollator* made = ucol_open("ru", &status);
        if (U_FAILURE(status)) {
            if (made)
                ucol_close(made);
            return std::unique_ptr<UCollator, CollatorCloser>();
        }
        ucol_setStrength(made, UCOL_SECONDARY);
        return std::unique_ptr<UCollator, CollatorCloser>(made);
    }();
    return collator.get();
}

} // namespace

int compareItemTexts(const QString& a, const QString& b)
{
    if (UCollator* collator = russianCollator()) {
        const UCollationResult order =
            ucol_strcoll(collator, reinterpret_cast<const UChar*>(a.utf16()), static_cast<int32_t>(a.size()),
                         reinterpret_cast<const UChar*>(b.utf16()), static_cast<int32_t>(b.size()));
        return order == UCOL_LESS ? -1 : order == UCOL_GREATER ? 1 : 0;
    }
    return QString::compare(a, b, Qt::CaseInsensitive);
}

int addSortedItem(QComboBox& combo, const QString& text, int itemData)
{
    int position = combo.count();
    for (int i = 0; i < combo.count(); ++i) {
        if (compareItemTexts(text, combo.itemText(i)) < 0) {
            position = i;
            break;
        }
    }
    combo.insertItem(position, text, itemData);
    return position;
}

void fillSortedItems(QComboBox& combo, const std::vector<std::pair<QString, int>>& items)
{
    std::vector<std::size_t> order(items.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    // A stable sort keeps equal texts in the order given, as inserting after every equal item does.
    std::stable_sort(order.begin(), order.end(), [&items](std::size_t a, std::size_t b) {
        return compareItemTexts(items[a].first, items[b].first) < 0;
    });
    QStringList texts;
    texts.reserve(static_cast<qsizetype>(items.size()));
    for (std::size_t i : order)
        texts.push_back(items[i].first);
    combo.clear();
    combo.addItems(texts);
    for (std::size_t at = 0; at < order.size(); ++at)
        combo.setItemData(static_cast<int>(at), items[order[at]].second);
}

int findItemByData(const QComboBox& combo, int itemData)
{
    for (int i = 0; i < combo.count(); ++i) {
        bool ok = false;
        const int data = combo.itemData(i).toInt(&ok);
        if (ok && data == itemData)
            return i;
    }
    return -1;
}

int selectedItemData(const QComboBox& combo, int fallback)
{
    const int index = combo.currentIndex();
    if (index < 0)
        return fallback;
    bool ok = false;
    const int data = combo.itemData(index).toInt(&ok);
    return ok ? data : fallback;
}

} // namespace ui
