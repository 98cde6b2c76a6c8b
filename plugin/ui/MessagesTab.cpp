#include "ui/MessagesTab.h"

#include "ui/UiText.h"

#include <QListWidget>

namespace ui {

MessagesTab::MessagesTab(QWidget* parent) : TemplatePage(kTemplateId, parent)
{
    setTheMessageLog(&log_);
    // Every line is one line of the same font: the list lays out tens of thousands of them
    // without measuring each.
    if (QListWidget* lines = list())
        lines->setUniformItemSizes(true);
}

MessagesTab::~MessagesTab()
{
    // A newer messages tab may have registered its own log already; only ours is withdrawn.
    if (theMessageLog() == &log_)
        setTheMessageLog(nullptr);
}

QListWidget* MessagesTab::list() const
{
    return findControlAs<QListWidget>(this, kList);
}

void MessagesTab::clear()
{
    emptyList();
    log_.clear();
}

void MessagesTab::showMessages() { showLines(log_.displayLines()); }

void MessagesTab::emptyList()
{
    if (QListWidget* lines = list())
        lines->clear();
}

void MessagesTab::showLines(const std::vector<std::u16string>& lines)
{
    QListWidget* box = list();
    if (!box)
        return;
    QStringList texts;
    texts.reserve(static_cast<qsizetype>(lines.size()));
    for (const std::u16string& line : lines)
        texts.push_back(toQString(line));
    box->clear();
    // One insertion for all lines, not one per line.
    box->addItems(texts);
}

} // namespace ui
