#include "RecordingHost.h"

RecordingHost::RecordingHost()
{
    bus.recordTableCalls(true);
}

int RecordingHost::count(const std::string& entry, const std::string& name) const
{
    int n = 0;
    for (const MessageBus::TableCall& call : calls())
        if (call.entry == entry && (name.empty() || call.name == name))
            ++n;
    return n;
}

void RecordingHost::serveStandard(int language)
{
    bus.serve("System/GetLanguage", [language](intptr_t, intptr_t) -> intptr_t { return 0x7FFF0000 | language; });
    bus.serve("MainMenu/CreateNewMenu", [this](intptr_t, intptr_t address) -> intptr_t {
        const auto* item = reinterpret_cast<const MenuItemDesc*>(address);
        if (!item || !item->menuPath)
            return 0;
        menuDescSizes.push_back(item->cbSize);
        menuPaths.emplace_back(item->menuPath);
        return 1;
    });
    bus.serve("Profile/GetInt", [this](intptr_t key, intptr_t value) -> intptr_t {
        const std::u16string name = reinterpret_cast<const char16_t*>(key);
        profileReads.push_back(name);
        const auto found = profile.find(name);
        if (found == profile.end())
            return 0;
        *reinterpret_cast<int32_t*>(value) = found->second;
        return 1;
    });
    bus.serve("Profile/SetInt", [this](intptr_t key, intptr_t value) -> intptr_t {
        const std::u16string name = reinterpret_cast<const char16_t*>(key);
        const int32_t stored = *reinterpret_cast<const int32_t*>(value);
        profile[name] = stored;
        profileWrites.emplace_back(name, stored);
        return 1;
    });
}
