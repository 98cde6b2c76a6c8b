#pragma once
// minihost's bus with the standard services kept in memory and every call a plug-in makes
// through its table recorded: the host the tests drive a plug-in with. Qt-free, so that tests of
// the lower layers use it too. One a process, as the bus is.
#include "MessageBus.h"

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

class RecordingHost {
public:
    RecordingHost();

    MessageBus bus;
    const HostApi* api() const { return bus.api(); }

    // What the plug-in asked through its table, in order.
    const std::vector<MessageBus::TableCall>& calls() const { return bus.tableCalls(); }
    void clearCalls() { bus.clearTableCalls(); }
    // Calls of `entry` ("subscribeEvent", "callCommand", ...), of `name` when one is given.
    int count(const std::string& entry, const std::string& name = {}) const;

    // Serves "System/GetLanguage" (the identifier in the low word, the high word set as some
    // hosts return it), "MainMenu/CreateNewMenu" into menuPaths, and "Profile/GetInt" and
    // "Profile/SetInt" on `profile`.
    void serveStandard(int language);

    std::map<std::u16string, int32_t> profile;
    std::vector<std::u16string> profileReads;
    std::vector<std::pair<std::u16string, int32_t>> profileWrites;
    std::vector<std::u16string> menuPaths;
    std::vector<uint32_t> menuDescSizes;
};
