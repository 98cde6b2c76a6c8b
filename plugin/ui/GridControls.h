#pragma once
// The list views of the windows' templates are grids: every window that shows a table builds its
// template with this factory, so that each list becomes a CGridCtrl carrying its control id.
#include "ui/DialogBuilder.h"

namespace ui {

// Makes a CGridCtrl for every report-view list of a template; other controls keep their
// default widgets.
DialogBuilder::WidgetFactory gridForListViews();

} // namespace ui
