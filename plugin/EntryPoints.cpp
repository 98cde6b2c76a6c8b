// The three functions the host finds in libvexol.so. Everything else stays hidden.
#include "host/HostApi.h"
#include "host/PluginLifecycle.h"
#include "MainWindowFactory.h"
#include "platform/Library.h"

#define VEXOL_EXPORT extern "C" __attribute__((visibility("default")))

VEXOL_EXPORT const PluginInfo* GetPluginInfo(void)
{
    return host::pluginInfo();
}

VEXOL_EXPORT int32_t Load(const HostApi* host)
{
    try {
        host::setMainWindowFactory(&createMainWindow);
        return host::load(host, platform::modulePathOf(reinterpret_cast<const void*>(&GetPluginInfo)));
    } catch (...) {
        // Any exception at all, of whatever type: the host's C code cannot unwind one. Load
        // answers 0 in every case; the plug-in then stays without its menu item.
        return 0;
    }
}

VEXOL_EXPORT int32_t Unload(void)
{
    try {
        return host::unload();
    } catch (...) {
        // As for Load: nothing may cross into the host. Unload answers 0 in every case.
        return 0;
    }
}
