#pragma once
// The plug-in's side of the host's message bus: the one HostApi table held from Load to Unload,
// and small wrappers that tolerate a missing table or a missing entry.
#include "host/HostApi.h"

#include <cstdint>

namespace host {

void setHostApi(const HostApi* api);
const HostApi* hostApi();

intptr_t subscribeEvent(const char* eventName, HostHandler handler);
void unsubscribeEvent(intptr_t handle);
intptr_t registerCommand(const char* commandName, HostHandler handler);
void unregisterCommand(intptr_t handle);
intptr_t callCommand(const char* commandName, intptr_t argument1, intptr_t argument2);
bool hasCommand(const char* commandName);

} // namespace host
