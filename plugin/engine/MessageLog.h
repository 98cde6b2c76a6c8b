#pragma once
// What one calculation pass has to tell the analyst: errors, warnings and information, each in
// the order added. The log holds the latest pass only; the pipelines clear it before a pass.
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/MessageList.h"

class MessageLog {
public:
    // `format` takes the one integer by printf rules ("%d"), in the C locale.
    void addError(std::u16string_view format, int value);
    // `format` takes the one text ("%s").
    void addWarning(std::u16string_view format, std::u16string_view text);
    // An already formatted text.
    void addWarning(std::u16string_view text);
    // A warning that `write(std::u16string& out)` appends to `out`, written in place: the pass
    // raises tens of thousands of these.
    template <class Write>
    void writeWarning(Write&& write)
    {
        warnings_.write(std::forward<Write>(write));
    }
    // Nothing in the calculation adds information; the consumers still show it.
    void addInfo(std::u16string_view text);
    void clear();

    const MessageList& errors() const { return errors_; }
    const MessageList& warnings() const { return warnings_; }
    const MessageList& infos() const { return infos_; }
    bool empty() const { return errors_.empty() && warnings_.empty() && infos_.empty(); }

    // Every message with its category prefix, errors first, then warnings, then information.
    std::vector<std::u16string> flattened() const;
    // The same messages as flattened(), handed to `visit(prefix, text)` one by one without a
    // string made for each: a report of tens of thousands of warnings writes them straight on.
    template <class Visit>
    void visitFlattened(Visit&& visit) const
    {
        for (std::u16string_view text : errors_)
            visit(std::u16string_view(u"Ошибка: "), text);
        for (std::u16string_view text : warnings_)
            visit(std::u16string_view(u"Предупреждение: "), text);
        for (std::u16string_view text : infos_)
            visit(std::u16string_view(u"Информация: "), text);
    }
    // The lines of the messages tab: a header per non-empty group and the messages numbered
    // across the groups, or "Сообщений нет!" when the log is empty.
    std::vector<std::u16string> displayLines() const;
    // How many lines displayLines() gives, and the line at `index` on its own: a list that shows
    // a screenful of tens of thousands of lines writes only those.
    std::size_t displayLineCount() const;
    std::u16string displayLine(std::size_t index) const;

private:
    MessageList errors_;
    MessageList warnings_;
    MessageList infos_;
};

// The one log of the main window (owned by its messages tab); null while no main window exists.
MessageLog* theMessageLog();
// The messages tab registers its log when it is created and withdraws it (nullptr) when destroyed.
void setTheMessageLog(MessageLog* log);
