#pragma once
// An in-process host whose table entries record every call, for driving the plug-in's lifecycle.
#include "host/HostApi.h"

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

struct FakeHost {
    struct Call {
        std::string entry;    // "subscribeEvent", "callCommand", ...
        std::string name;     // event or command name, when there is one
        intptr_t handle = 0;  // for unsubscribe/unregister
    };

    FakeHost();
    ~FakeHost();

    HostApi api {};
    std::vector<Call> calls;
    std::map<std::string, std::function<intptr_t(intptr_t, intptr_t)>> served;  // commands the host has
    std::map<std::string, HostHandler> subscriptions;
    std::map<std::string, HostHandler> commands;
    std::map<std::u16string, int32_t> profile;
    std::vector<std::u16string> menuPaths;  // from "MainMenu/CreateNewMenu"
    std::vector<uint32_t> menuDescSizes;

    // Serves System/GetLanguage, MainMenu/CreateNewMenu, Profile/GetInt and Profile/SetInt.
    void serveStandard(int language);
    void raise(const std::string& event);
    int count(const std::string& entry, const std::string& name = {}) const;

    static FakeHost* current;
};
