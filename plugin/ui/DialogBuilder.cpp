#include "ui/DialogBuilder.h"

#include "platform/qt/WindowBorder.h"
#include "resources/ResourceModule.h"
#include "ui/UiText.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QWidget>

#include <cstring>

namespace ui {

namespace cs = resources::controlStyle;
namespace ds = resources::dialogStyle;
using resources::ControlKind;
using resources::DialogControl;

const resources::DialogTemplate* dialogTemplate(int id)
{
    if (const resources::DialogTemplate* found = resources::resourceModule().dialog(id))
        return found;
    return resources::findDialog(resources::builtInTables(), id);
}

QString controlName(int id) { return QString::number(id); }

QWidget* findControl(const QWidget* dialog, int id)
{
    if (!dialog)
        return nullptr;
    return dialog->findChild<QWidget*>(controlName(id), Qt::FindDirectChildrenOnly);
}

QWidget* builtWidget(const std::vector<BuiltControl>& controls, int id)
{
    for (const BuiltControl& built : controls)
        if (built.control->id == id)
            return built.widget;
    return nullptr;
}

QWidget* builtWidget(const std::vector<BuiltControl>& controls, const char* name)
{
    if (!name)
        return nullptr;
    for (const BuiltControl& built : controls)
        if (built.control->name && std::strcmp(built.control->name, name) == 0)
            return built.widget;
    return nullptr;
}

DialogBuilder::DialogBuilder(const resources::DialogTemplate& dialogTemplate) : template_(dialogTemplate) {}

QFont DialogBuilder::font() const
{
    // "MS Shell Dlg" names the desktop's dialog font rather than a font file, so the desktop's
    // own font stands in for it.
    QFont font = QApplication::font();
    if (template_.pointSize > 0)
        font.setPointSize(template_.pointSize);
    return font;
}

namespace {

QWidget* makeListView(const DialogControl& control, QWidget* parent)
{
    auto* view = new QTreeWidget(parent);
    view->setRootIsDecorated(false);
    view->setUniformRowHeights(true);
    view->setAllColumnsShowFocus(true);
    view->setHeaderHidden(!(control.style & cs::ReportView));
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode((control.style & cs::SingleSelect) ? QAbstractItemView::SingleSelection
                                                               : QAbstractItemView::ExtendedSelection);
    view->setColumnCount(0);
    return view;
}

QWidget* makeListBox(const DialogControl& control, QWidget* parent)
{
    auto* list = new QListWidget(parent);
    list->setSortingEnabled(control.style & cs::Sort);
    list->setVerticalScrollBarPolicy(
        (control.style & cs::VScroll) ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    list->setHorizontalScrollBarPolicy(
        (control.style & cs::HScroll) ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    return list;
}

QWidget* makeComboBox(const DialogControl& control, QWidget* parent)
{
    auto* combo = new QComboBox(parent);
    combo->setEditable(!(control.style & cs::DropDownList));
    // A sorted combo keeps its items in order as the owner adds them; the owner reads this
    // property to insert in place (Qt sorts only what the user types).
    combo->setProperty("sorted", bool(control.style & cs::Sort));
    return combo;
}

QFrame::Shape frameShape(const DialogControl& control)
{
    return (control.style & (cs::Border | cs::Frame)) ? QFrame::StyledPanel : QFrame::NoFrame;
}

} // namespace

QWidget* DialogBuilder::makeWidget(const DialogControl& control, QWidget* parent) const
{
    const QString text = toQString(control.text);
    switch (control.kind) {
    case ControlKind::Static: {
        if (control.style & cs::Frame) {
            auto* frame = new QFrame(parent);
            frame->setFrameShape(QFrame::StyledPanel);
            return frame;
        }
        // Windows wraps a left-aligned static's words at its right edge; so does this label.
        auto* label = new QLabel(text, parent);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setTextFormat(Qt::PlainText);
        return label;
    }
    case ControlKind::PushButton:
    case ControlKind::DefPushButton: {
        auto* button = new QPushButton(text, parent);
        button->setDefault(control.kind == ControlKind::DefPushButton);
        return button;
    }
    case ControlKind::CheckBox:
        return new QCheckBox(text, parent);
    case ControlKind::RadioButton:
        return new QRadioButton(text, parent);
    case ControlKind::GroupBox:
        return new QGroupBox(text, parent);
    case ControlKind::Edit: {
        auto* edit = new QLineEdit(text, parent);
        edit->setFrame(true);
        return edit;
    }
    case ControlKind::ComboBox:
        return makeComboBox(control, parent);
    case ControlKind::ListBox:
        return makeListBox(control, parent);
    case ControlKind::ListView:
        return makeListView(control, parent);
    case ControlKind::TabControl:
        return new QTabWidget(parent);
    case ControlKind::Icon: {
        auto* picture = new QLabel(parent);
        picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        return picture;
    }
    case ControlKind::Custom: {
        auto* frame = new QFrame(parent);
        frame->setFrameShape(frameShape(control));
        return frame;
    }
    }
    return new QWidget(parent);
}

namespace {

// Renews the border request whenever the window is shown: its native window exists by then and
// is not yet mapped, so the window manager reads the request as it frames the window.
class FixedBorderOnShow : public QObject {
public:
    explicit FixedBorderOnShow(QObject* parent) : QObject(parent) {}

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && watched->isWidgetType())
            platform::withdrawSizingBorder(static_cast<QWidget*>(watched));
        return false;
    }
};

} // namespace

void DialogBuilder::setUpWindow(QWidget* dialog, const DialogUnits& units) const
{
    const QSize size = units.toPixels(template_.cx, template_.cy);
    if (template_.style & ds::Child) {
        dialog->resize(size);
        return;
    }
    dialog->setWindowTitle(toQString(template_.caption));
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint;
    if (template_.style & ds::Caption)
        flags |= Qt::WindowTitleHint;
    if (template_.style & ds::SysMenu)
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (template_.style & ds::MinimizeBox)
        flags |= Qt::WindowMinimizeButtonHint;
    if (template_.style & ds::MaximizeBox)
        flags |= Qt::WindowMaximizeButtonHint;
    dialog->setWindowFlags(flags);
    // Without a sizing border or a maximise box nothing can change the window's size.
    if (!(template_.style & (ds::SizingBorder | ds::MaximizeBox)))
        dialog->setFixedSize(size);
    else
        dialog->resize(size);
    // A maximise box without a sizing border: the size changes by maximising and restoring only.
    // Qt has no flag for that; on X11 the window manager hints withdraw the border's resizing
    // each time the window is about to be mapped. Wayland and the offscreen platform offer no
    // such request, so there the border stays sizable (the layout follows any size).
    if ((template_.style & ds::MaximizeBox) && !(template_.style & ds::SizingBorder))
        dialog->installEventFilter(new FixedBorderOnShow(dialog));
}

std::vector<BuiltControl> DialogBuilder::build(QWidget* dialog) const
{
    std::vector<BuiltControl> built;
    if (!dialog)
        return built;
    dialog->setFont(font());
    const DialogUnits dialogUnits(font());
    setUpWindow(dialog, dialogUnits);

    // Automatic radio buttons are exclusive within their group: from one that starts a group
    // up to the next control that is not a radio button or starts a new group.
    QButtonGroup* radioGroup = nullptr;
    built.reserve(static_cast<std::size_t>(template_.controlCount));
    for (int32_t i = 0; i < template_.controlCount; ++i) {
        const DialogControl& control = template_.controls[i];
        QWidget* widget = factory_ ? factory_(control, dialog) : nullptr;
        if (!widget)
            widget = makeWidget(control, dialog);
        widget->setObjectName(control.name ? QString::fromLatin1(control.name) : controlName(control.id));
        QRect geometry = dialogUnits.toPixels(control.x, control.y, control.cx, control.cy);
        // A combo box's template height includes its drop-down list; the closed box is as
        // high as its font needs.
        if (control.kind == ControlKind::ComboBox)
            geometry.setHeight(widget->sizeHint().height());
        widget->setGeometry(geometry);

        if (control.kind == ControlKind::RadioButton) {
            if (!radioGroup || (control.style & cs::Group)) {
                radioGroup = new QButtonGroup(dialog);
                radioGroup->setExclusive(true);
            }
            if (auto* radio = dynamic_cast<QRadioButton*>(widget)) {
                radio->setAutoExclusive(false);
                radioGroup->addButton(radio);
            }
        } else {
            radioGroup = nullptr;
        }
        built.push_back({&control, widget});
    }
    return built;
}

} // namespace ui
