#include "ui/TemplatePage.h"

#include "ui/GridControls.h"
#include "ui/TemplateResizeRules.h"
#include "ui/controls/CGridCtrl.h"

namespace ui {

TemplatePage::TemplatePage(int templateId, QWidget* parent) : QWidget(parent), templateId_(templateId)
{
    setObjectName(QStringLiteral("page%1").arg(templateId));
    if (const resources::DialogTemplate* page = dialogTemplate(templateId)) {
        DialogBuilder builder(*page);
        builder.setWidgetFactory(gridForListViews());
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
