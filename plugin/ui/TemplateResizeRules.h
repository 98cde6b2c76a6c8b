#pragma once
// How the controls of the resizable templates follow their window's size. Controls not listed
// keep their place and size.
#include "ui/DialogBuilder.h"
#include "ui/ProportionalLayout.h"

#include <vector>

namespace ui {

// A rule names its control by id, or by the template's name for a control without one.
struct ControlResizeRule {
    int controlId;
    const char* name;  // for controlId -1 only
    ResizeRule rule;
};

// The control of the built template that a rule names; null when there is none.
QWidget* ruledWidget(const std::vector<BuiltControl>& controls, const ControlResizeRule& rule);

// The rules of template `templateId`; empty for a template whose controls never move.
const std::vector<ControlResizeRule>& templateResizeRules(int templateId);

// Follows the built controls of `container` by the rules of `templateId`, from their current
// geometry and the container's current size. Returns the layout (owned by the container).
ProportionalLayout* attachTemplateLayout(QWidget* container, const std::vector<BuiltControl>& controls,
                                         int templateId);

} // namespace ui
