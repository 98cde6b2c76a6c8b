#pragma once
// The top of a user action started from a Qt slot. Nothing may leave it: Qt cannot carry an
// exception through its event loop, and the host would go down with it. The fault becomes one
// message, shown after the exception has been released (memory freed by the unwinding is then
// there to show it); when even showing fails, the action has failed and the window carries on.
#include "platform/Text.h"

#include <exception>
#include <new>
#include <string>

namespace ui {

inline constexpr char16_t kOutOfMemoryText[] = u"Недостаточно памяти для выполнения команды.";
inline constexpr char16_t kUnexpectedFailureText[] = u"Команда не выполнена из-за непредвиденной ошибки.";

// Runs `command`; on failure calls `show` with the message once. True when the command finished.
template <class Command, class Show>
bool runCommandGuarded(Command&& command, Show&& show) noexcept
{
    std::u16string described;
    const char16_t* fixed = nullptr;
    try {
        command();
        return true;
    } catch (const std::bad_alloc&) {
        fixed = kOutOfMemoryText;
    } catch (const std::exception& failure) {
        fixed = kUnexpectedFailureText;
        try {
            described = u"Команда не выполнена: " + platform::utf8ToUtf16(failure.what());
        } catch (const std::bad_alloc&) {
            fixed = kOutOfMemoryText;
        }
    } catch (...) {
        // An exception of a foreign type, from a library below that does not derive from
        // std::exception: it carries no text, but it fails this action only.
        fixed = kUnexpectedFailureText;
    }
    try {
        show(described.empty() ? std::u16string(fixed) : described);
    } catch (const std::exception&) {
        // The message box itself failed (memory): there is no other way left to tell the analyst,
        // and the action has already been abandoned without changing the window's state.
    }
    return false;
}

} // namespace ui
