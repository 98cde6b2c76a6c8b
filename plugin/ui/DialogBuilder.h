#pragma once
// Turns a dialog template of the resource tables into Qt widgets. Every control becomes a
// direct child of the dialog widget, placed in pixels converted from its dialog units, with its
// control id as objectName ("1010"), so that code, tests and accessibility tools find it by id.
// Controls without an id (labels, group boxes) are named "-1", unless the template names them.
#include "resources/ResourceTables.h"
#include "ui/DialogUnits.h"

#include <QFont>
#include <QString>

#include <functional>
#include <vector>

class QWidget;

namespace ui {

// One control of a built dialog: its template record and the widget made for it.
struct BuiltControl {
    const resources::DialogControl* control = nullptr;
    QWidget* widget = nullptr;
};

// The template for an id from the resource module; the plug-in's own template when the
// language library lacks it, so that a window never fails to open for a missing translation.
// Null only for an id the plug-in has no template for.
const resources::DialogTemplate* dialogTemplate(int id);

// The objectName a control with this id gets.
QString controlName(int id);

// The control with this id among the dialog's direct children; null when there is none.
QWidget* findControl(const QWidget* dialog, int id);
template <class Widget>
Widget* findControlAs(const QWidget* dialog, int id)
{
    return dynamic_cast<Widget*>(findControl(dialog, id));
}

class DialogBuilder {
public:
    // Makes the widget of a control in place of the default one (a grid for a list view, a
    // chart for a custom control); returning null keeps the default.
    using WidgetFactory = std::function<QWidget*(const resources::DialogControl&, QWidget* parent)>;

    explicit DialogBuilder(const resources::DialogTemplate& dialogTemplate);

    void setWidgetFactory(WidgetFactory factory) { factory_ = std::move(factory); }

    // The template's font: the desktop's dialog font at the template's point size.
    QFont font() const;
    DialogUnits units() const { return DialogUnits(font()); }

    // Gives `dialog` the template's font, size, caption and window decorations and creates the
    // controls in template order (which is also the tab order). Returns them in that order.
    std::vector<BuiltControl> build(QWidget* dialog) const;

private:
    QWidget* makeWidget(const resources::DialogControl& control, QWidget* parent) const;
    void setUpWindow(QWidget* dialog, const DialogUnits& units) const;

    const resources::DialogTemplate& template_;
    WidgetFactory factory_;
};

// The first control (in template order) with this id; null when there is none.
QWidget* builtWidget(const std::vector<BuiltControl>& controls, int id);
// The control the template names so; null when there is none.
QWidget* builtWidget(const std::vector<BuiltControl>& controls, const char* name);

} // namespace ui
