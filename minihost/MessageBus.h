#pragma once
// The host's events and commands, and the C function table plug-ins receive. One bus a process:
// the table's entries are plain C functions that forward to it.
#include "host/HostApi.h"

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

class MessageBus {
public:
    using BuiltIn = std::function<intptr_t(intptr_t, intptr_t)>;

    // One call a plug-in made through the table.
    struct TableCall {
        std::string entry;    // "subscribeEvent", "callCommand", ...
        std::string name;     // the event or command, when the entry takes one
        intptr_t handle = 0;  // given back by subscribe/register, passed to unsubscribe/unregister
    };

    MessageBus();
    ~MessageBus();

    static MessageBus* instance();
    // Makes this bus the one the table forwards to again (the newest bus is, until it goes).
    void activate();
    const HostApi* api() const { return &api_; }

    // Commands the host serves itself.
    void serve(const std::string& name, BuiltIn command);
    void withdraw(const std::string& name);

    // Keeps every call that comes through the table, for tests of what a plug-in asks.
    void recordTableCalls(bool on) { recording_ = on; }
    void recordTableCall(TableCall call);
    const std::vector<TableCall>& tableCalls() const { return tableCalls_; }
    void clearTableCalls() { tableCalls_.clear(); }

    intptr_t subscribe(const std::string& event, HostHandler handler);
    void unsubscribe(intptr_t handle);
    intptr_t registerCommand(const std::string& name, HostHandler handler);
    void unregisterCommand(intptr_t handle);
    intptr_t call(const std::string& name, intptr_t argument1, intptr_t argument2);
    bool has(const std::string& name) const;

    void raise(const std::string& event, intptr_t argument = 0);

private:
    struct Registration {
        std::string name;
        HostHandler handler;
    };

    HostApi api_ {};
    std::map<std::string, BuiltIn> builtIns_;
    std::map<intptr_t, Registration> commands_;
    std::map<intptr_t, Registration> subscriptions_;
    intptr_t nextHandle_ = 1;
    bool recording_ = false;
    std::vector<TableCall> tableCalls_;
};
