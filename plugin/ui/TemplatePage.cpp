#include "ui/TemplatePage.h"

#include "ui/GridControls.h"
#include "ui/TemplateResizeRules.h"
#include "ui/controls/CGridCtrl.h"

namespace ui {

TemplatePage::TemplatePage(int templateId, QWidget* parent) : TemplatePage(templateId, parent, nullptr) {}

TemplatePage::TemplatePage(int templateId, QWidget* parent, DialogBuilder::WidgetFactory factory)
    : QWidget(parent), templateId_(templateId)
{
    setObjectName(QStringLiteral("page%1").arg(templateId));
    if (const resources::DialogTemplate* page = dialogTemplate(templateId)) {
        DialogBuilder builder(*page);
        builder.setWidgetFactory([own = std::move(factory), grids = gridForListViews()](
                                     const resources::DialogControl& control, QWidget* parent) -> QWidget* {
            if (own)
                if (QWidget* made = own(control, parent))
                    return made;
            return grids(control, parent);
        });
        controls_ = builder.build(this);
    }
    // The controls follow the page from the size the template gives it, whatever rectangle the
    // tab control later puts the page in.
    attachTemplateLayout(this, controls_, templateId);
}

controls::CGridCtrl* TemplatePage::grid(int controlId) const
{
    return findControlAs<controls::CGridCtrl>(this, controlId);
}

} // namespace ui
