#include "ui/MessagesTab.h"

#include "resources/ResourceModule.h"
#include "ui/MessageLinesModel.h"

#include <QListView>

namespace ui {

namespace {

namespace cs = resources::controlStyle;

// The list box of the page is a view over a model of lines rather than a list of items: a pass
// with tens of thousands of warnings then swaps its lines in one step.
QWidget* makeLinesList(const resources::DialogControl& control, QWidget* parent)
{
    if (control.kind != resources::ControlKind::ListBox || control.id != MessagesTab::kList)
        return nullptr;
    auto* view = new QListView(parent);
    view->setVerticalScrollBarPolicy((control.style & cs::VScroll) ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    view->setHorizontalScrollBarPolicy((control.style & cs::HScroll) ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Every line is one line of the same font: the list lays out tens of thousands of them
    // without measuring each.
    view->setUniformItemSizes(true);
    view->setLayoutMode(QListView::SinglePass);
    return view;
}

} // namespace

MessagesTab::MessagesTab(QWidget* parent) : TemplatePage(kTemplateId, parent, &makeLinesList)
{
    setTheMessageLog(&log_);
    lines_ = new MessageLinesModel(this);
    if (QListView* view = list())
        view->setModel(lines_);
}

MessagesTab::~MessagesTab()
{
    // A newer messages tab may have registered its own log already; only ours is withdrawn.
    if (theMessageLog() == &log_)
        setTheMessageLog(nullptr);
}

QListView* MessagesTab::list() const
{
    return findControlAs<QListView>(this, kList);
}

std::vector<std::u16string> MessagesTab::shownLines() const { return lines_->lines(); }

void MessagesTab::clear()
{
    emptyList();
    log_.clear();
}

void MessagesTab::showMessages() { showLog(log_); }

void MessagesTab::emptyList() { lines_->clear(); }

void MessagesTab::showLines(std::vector<std::u16string> lines) { lines_->setLines(std::move(lines)); }

void MessagesTab::showLog(const MessageLog& log) { lines_->setLog(log); }

} // namespace ui
