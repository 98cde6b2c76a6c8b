#include "FakeHost.h"

FakeHost* FakeHost::current = nullptr;

namespace {

FakeHost& host() { return *FakeHost::current; }

void unused() {}

intptr_t subscribeEvent(const char* name, HostHandler handler)
{
    host().calls.push_back({"subscribeEvent", name, 0});
    host().subscriptions[name] = handler;
    return 11;
}

void unsubscribeEvent(intptr_t handle) { host().calls.push_back({"unsubscribeEvent", {}, handle}); }

intptr_t registerCommand(const char* name, HostHandler handler)
{
    host().calls.push_back({"registerCommand", name, 0});
    host().commands[name] = handler;
    return 22;
}

void unregisterCommand(intptr_t handle) { host().calls.push_back({"unregisterCommand", {}, handle}); }

intptr_t callCommand(const char* name, intptr_t a, intptr_t b)
{
    host().calls.push_back({"callCommand", name, 0});
    auto it = host().served.find(name);
    return it == host().served.end() ? 0 : it->second(a, b);
}

int32_t hasCommand(const char* name)
{
    host().calls.push_back({"hasCommand", name, 0});
    return host().served.count(name) ? 1 : 0;
}

} // namespace

FakeHost::FakeHost()
{
    current = this;
    api.entry1 = api.entry2 = api.entry3 = &unused;
    api.subscribeEvent = &subscribeEvent;
    api.unsubscribeEvent = &unsubscribeEvent;
    api.registerCommand = &registerCommand;
    api.unregisterCommand = &unregisterCommand;
    api.callCommand = &callCommand;
    api.hasCommand = &hasCommand;
}

FakeHost::~FakeHost()
{
    if (current == this)
        current = nullptr;
}

void FakeHost::serveStandard(int language)
{
    served["System/GetLanguage"] = [language](intptr_t, intptr_t) -> intptr_t { return 0x7FFF0000 | language; };
    served["MainMenu/CreateNewMenu"] = [this](intptr_t, intptr_t desc) -> intptr_t {
        auto* item = reinterpret_cast<const MenuItemDesc*>(desc);
        menuDescSizes.push_back(item->cbSize);
        menuPaths.emplace_back(item->menuPath);
        return 1;
    };
    served["Profile/GetInt"] = [this](intptr_t key, intptr_t value) -> intptr_t {
        auto it = profile.find(reinterpret_cast<const char16_t*>(key));
        if (it == profile.end())
            return 0;
        *reinterpret_cast<int32_t*>(value) = it->second;
        return 1;
    };
    served["Profile/SetInt"] = [this](intptr_t key, intptr_t value) -> intptr_t {
        profile[reinterpret_cast<const char16_t*>(key)] = *reinterpret_cast<const int32_t*>(value);
        return 1;
    };
}

void FakeHost::raise(const std::string& event)
{
    auto it = subscriptions.find(event);
    if (it != subscriptions.end())
        it->second(0);
}

int FakeHost::count(const std::string& entry, const std::string& name) const
{
    int n = 0;
    for (const Call& call : calls)
        if (call.entry == entry && (name.empty() || call.name == name))
            ++n;
    return n;
}
