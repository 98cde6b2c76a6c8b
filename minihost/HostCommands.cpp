#include "HostCommands.h"

#include "HostWindow.h"
#include "MessageBus.h"
#include "ProfileStore.h"

#include <memory>
#include <string>

namespace {

QString fromHostText(intptr_t text)
{
    return text ? QString::fromUtf16(reinterpret_cast<const char16_t*>(text)) : QString();
}

} // namespace

void serveHostCommands(MessageBus& bus, HostWindow& window, ProfileStore& profile, const HostOptions& options)
{
    const int language = options.language;
    bus.serve("System/GetLanguage", [language](intptr_t, intptr_t) -> intptr_t { return language; });

    bus.serve("MainMenu/CreateNewMenu", [&window](intptr_t, intptr_t descAddress) -> intptr_t {
        auto* desc = reinterpret_cast<const MenuItemDesc*>(descAddress);
        if (!desc || desc->cbSize < sizeof(MenuItemDesc) || !desc->menuPath || !desc->commandName)
            return 0;
        return window.createMenuItem(fromHostText(reinterpret_cast<intptr_t>(desc->menuPath)),
                                     QString::fromUtf8(desc->commandName)) != nullptr;
    });

    if (!options.databasePath.isEmpty()) {
        // The text must stay readable during the call; the host keeps it for its whole life.
        auto uri = std::make_shared<std::u16string>(options.databasePath.toStdU16String());
        bus.serve("DB/GetConnectionUri", [uri](intptr_t, intptr_t) -> intptr_t {
            return reinterpret_cast<intptr_t>(uri->c_str());
        });
    }

    bus.serve("Profile/GetInt", [&profile](intptr_t key, intptr_t valueAddress) -> intptr_t {
        auto* value = reinterpret_cast<int32_t*>(valueAddress);
        if (!key || !value)
            return 0;
        int stored = 0;
        if (!profile.getInt(fromHostText(key), &stored))
            return 0;
        *value = stored;
        return 1;
    });

    bus.serve("Profile/SetInt", [&profile](intptr_t key, intptr_t valueAddress) -> intptr_t {
        auto* value = reinterpret_cast<const int32_t*>(valueAddress);
        if (!key || !value)
            return 0;
        return profile.setInt(fromHostText(key), *value) ? 1 : 0;
    });
}
