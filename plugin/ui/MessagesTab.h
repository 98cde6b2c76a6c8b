#pragma once
// The page "Сообщения". It owns the one MessageLog of the plug-in: the calculation writes to it
// through theMessageLog() while this page exists, and the page lists it after every pass.
#include "engine/MessageLog.h"
#include "ui/TemplatePage.h"

class QListWidget;

namespace ui {

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
    void showLines(const std::vector<std::u16string>& lines);

    QListWidget* list() const;

private:
    MessageLog log_;
};

} // namespace ui
