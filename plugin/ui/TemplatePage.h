#pragma once
// A page of the main window's tab control: a child widget built from its dialog template, its
// lists made grids, its controls following the page's size by the template's resize rules.
#include "ui/DialogBuilder.h"

#include <QWidget>

#include <vector>

namespace controls {
class CGridCtrl;
}

namespace ui {

class TemplatePage : public QWidget {
public:
    TemplatePage(int templateId, QWidget* parent);
    // A page whose template holds controls other than lists (a chart) makes them with
    // `factory`; lists become grids unless the factory makes them itself.
    TemplatePage(int templateId, QWidget* parent, DialogBuilder::WidgetFactory factory);

    int templateId() const { return templateId_; }

    // The grid with this control id; null when the template has none.
    controls::CGridCtrl* grid(int controlId) const;

protected:
    const std::vector<BuiltControl>& builtControls() const { return controls_; }

private:
    int templateId_;
    std::vector<BuiltControl> controls_;
};

} // namespace ui
