#include "ui/TemplateResizeRules.h"

#include "resources/DialogLayouts.h"

#include <map>

namespace ui {

namespace {

constexpr ResizeRule kFillBoth {0, 0, 100, 100};

const std::map<int, std::vector<ControlResizeRule>>& allRules()
{
    static const std::map<int, std::vector<ControlResizeRule>> rules {
        // Main window: the list takes the upper half of the growth, the tab control the
        // lower half; "Закрыть" stays in the bottom right corner; the command buttons stay.
        {101, {{1010, nullptr, {0, 0, 100, 50}}, {1012, nullptr, {0, 50, 100, 50}}, {2, nullptr, {100, 100, 0, 0}}}},
        {102, {{1027, nullptr, kFillBoth}}},
        // Peak tables: each channel list takes half of the widening; the second list's
        // caption moves with it.
        {115, {{1014, nullptr, {0, 0, 50, 100}},
               {-1, resources::namedControl::channel2Caption, {50, 0, 0, 0}},
               {1013, nullptr, {50, 0, 50, 100}}}},
        // Calibration: the point list and the chart share the widening; the selectors above
        // them stay.
        {134, {{1027, nullptr, {0, 0, 50, 100}}, {1029, nullptr, {50, 0, 50, 100}}}},
        {136, {{1027, nullptr, kFillBoth}}},
        {138, {{1027, nullptr, kFillBoth}}},
    };
    return rules;
}

} // namespace

const std::vector<ControlResizeRule>& templateResizeRules(int templateId)
{
    static const std::vector<ControlResizeRule> none;
    const auto& rules = allRules();
    const auto found = rules.find(templateId);
    return found == rules.end() ? none : found->second;
}

QWidget* ruledWidget(const std::vector<BuiltControl>& controls, const ControlResizeRule& rule)
{
    return rule.controlId == -1 ? builtWidget(controls, rule.name) : builtWidget(controls, rule.controlId);
}

ProportionalLayout* attachTemplateLayout(QWidget* container, const std::vector<BuiltControl>& controls,
                                         int templateId)
{
    auto* layout = new ProportionalLayout(container);
    for (const ControlResizeRule& rule : templateResizeRules(templateId))
        layout->add(ruledWidget(controls, rule), rule.rule);
    return layout;
}

} // namespace ui
