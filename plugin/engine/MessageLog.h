#pragma once
// What one calculation pass has to tell the analyst: errors, warnings and information, each in
// the order added. The log holds the latest pass only; the pipelines clear it before a pass.
#include <string>
#include <string_view>
#include <vector>

class MessageLog {
public:
    // `format` takes the one integer by printf rules ("%d"), in the C locale.
    void addError(std::u16string_view format, int value);
    // `format` takes the one text ("%s").
    void addWarning(std::u16string_view format, std::u16string_view text);
    // An already formatted text; a temporary is taken over without a copy.
    void addWarning(std::u16string text);
    // Nothing in the calculation adds information; the consumers still show it.
    void addInfo(std::u16string_view text);
    void clear();

    const std::vector<std::u16string>& errors() const { return errors_; }
    const std::vector<std::u16string>& warnings() const { return warnings_; }
    const std::vector<std::u16string>& infos() const { return infos_; }
    bool empty() const { return errors_.empty() && warnings_.empty() && infos_.empty(); }

    // Every message with its category prefix, errors first, then warnings, then information.
    std::vector<std::u16string> flattened() const;
    // The lines of the messages tab: a header per non-empty group and the messages numbered
    // across the groups, or "Сообщений нет!" when the log is empty.
    std::vector<std::u16string> displayLines() const;

private:
    std::vector<std::u16string> errors_;
    std::vector<std::u16string> warnings_;
    std::vector<std::u16string> infos_;
};

// The one log of the main window (owned by its messages tab); null while no main window exists.
MessageLog* theMessageLog();
// The messages tab registers its log when it is created and withdraws it (nullptr) when destroyed.
void setTheMessageLog(MessageLog* log);
