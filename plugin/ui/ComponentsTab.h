#pragma once
// The page "Инф. с хром.": the peak tables of the selected chromatogram, channel 1 on the left
// (list 1014) and channel 2 on the right (list 1013).
#include "input/AssayRecord.h"
#include "ui/TemplatePage.h"

namespace ui {

class ComponentsTab : public TemplatePage {
public:
    static constexpr int kTemplateId = 115;
    static constexpr int kChannel1List = 1014;
    static constexpr int kChannel2List = 1013;

    explicit ComponentsTab(QWidget* parent);

    // Appends one row per peak to the list with this id. The list is not emptied first: the
    // caller empties both lists before it fills them.
    void fillList(int listId, const PeakList& peaks);
    void emptyLists();
};

} // namespace ui
