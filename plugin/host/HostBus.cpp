#include "host/HostBus.h"

namespace host {

namespace {
const HostApi* g_api = nullptr;
}

void setHostApi(const HostApi* api) { g_api = api; }
const HostApi* hostApi() { return g_api; }

intptr_t subscribeEvent(const char* eventName, HostHandler handler)
{
    return g_api && g_api->subscribeEvent ? g_api->subscribeEvent(eventName, handler) : 0;
}

void unsubscribeEvent(intptr_t handle)
{
    if (g_api && g_api->unsubscribeEvent)
        g_api->unsubscribeEvent(handle);
}

intptr_t registerCommand(const char* commandName, HostHandler handler)
{
    return g_api && g_api->registerCommand ? g_api->registerCommand(commandName, handler) : 0;
}

void unregisterCommand(intptr_t handle)
{
    if (g_api && g_api->unregisterCommand)
        g_api->unregisterCommand(handle);
}

intptr_t callCommand(const char* commandName, intptr_t argument1, intptr_t argument2)
{
    return g_api && g_api->callCommand ? g_api->callCommand(commandName, argument1, argument2) : 0;
}

bool hasCommand(const char* commandName)
{
    return g_api && g_api->hasCommand && g_api->hasCommand(commandName) != 0;
}

} // namespace host
