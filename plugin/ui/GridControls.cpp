#include "ui/GridControls.h"

#include "ui/controls/CGridCtrl.h"

#include <QFrame>
#include <QHeaderView>

namespace ui {

namespace cs = resources::controlStyle;

DialogBuilder::WidgetFactory gridForListViews()
{
    return [](const resources::DialogControl& control, QWidget* parent) -> QWidget* {
        if (control.kind != resources::ControlKind::ListView)
            return nullptr;
        auto* grid = new controls::CGridCtrl(parent, control.id);
        grid->setSelectionMode((control.style & cs::SingleSelect) ? QAbstractItemView::SingleSelection
                                                                   : QAbstractItemView::ExtendedSelection);
        grid->horizontalHeader()->setVisible(control.style & cs::ReportView);
        grid->setFrameShape((control.style & cs::Border) ? QFrame::StyledPanel : QFrame::NoFrame);
        return grid;
    };
}

} // namespace ui
