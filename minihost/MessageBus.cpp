#include "MessageBus.h"

#include <cstdio>

namespace {

MessageBus* g_bus = nullptr;

std::string nameOf(const char* text) { return text ? std::string(text) : std::string(); }

// A plug-in's handler must not take the host down; an exception ends at this boundary.
int32_t runHandler(HostHandler handler, intptr_t argument)
{
    try {
        return handler ? handler(argument) : 0;
    } catch (...) {
        std::fprintf(stderr, "minihost: a plug-in handler threw an exception\n");
        return 0;
    }
}

void entryUnused() {}

intptr_t apiSubscribe(const char* name, HostHandler h)
{
    if (!g_bus)
        return 0;
    const intptr_t handle = g_bus->subscribe(nameOf(name), h);
    g_bus->recordTableCall({"subscribeEvent", nameOf(name), handle});
    return handle;
}

void apiUnsubscribe(intptr_t handle)
{
    if (!g_bus)
        return;
    g_bus->recordTableCall({"unsubscribeEvent", {}, handle});
    g_bus->unsubscribe(handle);
}

intptr_t apiRegister(const char* name, HostHandler h)
{
    if (!g_bus)
        return 0;
    const intptr_t handle = g_bus->registerCommand(nameOf(name), h);
    g_bus->recordTableCall({"registerCommand", nameOf(name), handle});
    return handle;
}

void apiUnregister(intptr_t handle)
{
    if (!g_bus)
        return;
    g_bus->recordTableCall({"unregisterCommand", {}, handle});
    g_bus->unregisterCommand(handle);
}

intptr_t apiCall(const char* name, intptr_t a, intptr_t b)
{
    if (!g_bus)
        return 0;
    g_bus->recordTableCall({"callCommand", nameOf(name), 0});
    return g_bus->call(nameOf(name), a, b);
}

int32_t apiHas(const char* name)
{
    if (!g_bus)
        return 0;
    g_bus->recordTableCall({"hasCommand", nameOf(name), 0});
    return g_bus->has(nameOf(name)) ? 1 : 0;
}

} // namespace

MessageBus::MessageBus()
{
    g_bus = this;
    api_.entry1 = &entryUnused;
    api_.entry2 = &entryUnused;
    api_.entry3 = &entryUnused;
    api_.subscribeEvent = &apiSubscribe;
    api_.unsubscribeEvent = &apiUnsubscribe;
    api_.registerCommand = &apiRegister;
    api_.unregisterCommand = &apiUnregister;
    api_.callCommand = &apiCall;
    api_.hasCommand = &apiHas;
}

MessageBus::~MessageBus()
{
    if (g_bus == this)
        g_bus = nullptr;
}

MessageBus* MessageBus::instance() { return g_bus; }

void MessageBus::activate() { g_bus = this; }

void MessageBus::serve(const std::string& name, BuiltIn command) { builtIns_[name] = std::move(command); }

void MessageBus::withdraw(const std::string& name) { builtIns_.erase(name); }

void MessageBus::recordTableCall(TableCall call)
{
    if (recording_)
        tableCalls_.push_back(std::move(call));
}

intptr_t MessageBus::subscribe(const std::string& event, HostHandler handler)
{
    intptr_t handle = nextHandle_++;
    subscriptions_[handle] = {event, handler};
    return handle;
}

void MessageBus::unsubscribe(intptr_t handle) { subscriptions_.erase(handle); }

intptr_t MessageBus::registerCommand(const std::string& name, HostHandler handler)
{
    intptr_t handle = nextHandle_++;
    commands_[handle] = {name, handler};
    return handle;
}

void MessageBus::unregisterCommand(intptr_t handle) { commands_.erase(handle); }

intptr_t MessageBus::call(const std::string& name, intptr_t argument1, intptr_t argument2)
{
    auto builtIn = builtIns_.find(name);
    if (builtIn != builtIns_.end()) {
        try {
            return builtIn->second(argument1, argument2);
        } catch (...) {
            // A built-in command that failed, whatever it threw, answers 0 like an unknown one:
            // the plug-in calling it is C-facing and must never see the exception.
            return 0;
        }
    }
    // A plug-in's command handler takes one argument: the first.
    for (const auto& [handle, registration] : commands_)
        if (registration.name == name)
            return runHandler(registration.handler, argument1);
    return 0;
}

bool MessageBus::has(const std::string& name) const
{
    if (builtIns_.count(name))
        return true;
    for (const auto& [handle, registration] : commands_)
        if (registration.name == name)
            return true;
    return false;
}

void MessageBus::raise(const std::string& event, intptr_t argument)
{
    // Handlers may subscribe or unsubscribe while they run: walk a copy.
    std::vector<HostHandler> handlers;
    for (const auto& [handle, subscription] : subscriptions_)
        if (subscription.name == event)
            handlers.push_back(subscription.handler);
    for (HostHandler handler : handlers)
        runHandler(handler, argument);
}
