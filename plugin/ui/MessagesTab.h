#pragma once
// The page "Сообщения". It owns the one MessageLog of the plug-in: the calculation writes to it
// through theMessageLog() while this page exists, and the page lists it after every pass.
#include "engine/MessageLog.h"
#include "ui/TemplatePage.h"

#include <string>
#include <vector>

class QListView;

namespace ui {

class MessageLinesModel;

class MessagesTab : public TemplatePage {
public:
    static constexpr int kTemplateId = 136;
    static constexpr int kList = 1027;

    // Registers its log as theMessageLog().
    explicit MessagesTab(QWidget* parent);
    // Withdraws the log: theMessageLog() is null afterwards.
    ~MessagesTab() override;

    MessageLog& log() { return log_; }

    // Empties the list box, then the log.
    void clear();
    // Refills the list box with the log's display lines, in order.
    void showMessages();
    // The list box alone: emptied, or refilled with these lines in order (it does not sort).
    void emptyList();
    void showLines(std::vector<std::u16string> lines);
    // Refills the list box with the display lines of `log` as it is now.
    void showLog(const MessageLog& log);

    // The list box: a list view over the lines it shows.
    QListView* list() const;
    // The lines the list box shows, in order.
    std::vector<std::u16string> shownLines() const;

private:
    MessageLog log_;
    MessageLinesModel* lines_ = nullptr;  // owned by this page
};

} // namespace ui
