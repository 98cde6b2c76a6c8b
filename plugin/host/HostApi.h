/* The binary interface between a Vantrel host and its plug-ins. Plain C, shared by the plug-in,
   minihost and any other host. Names of events and commands are NUL-terminated 8-bit texts
   ("Area/Name"); texts in records and command arguments are NUL-terminated UTF-16. */
#ifndef VEXOL_HOST_API_H
#define VEXOL_HOST_API_H

#include <stddef.h>
#include <stdint.h>
#ifndef __cplusplus
#include <uchar.h>
#endif

#ifdef __cplusplus
extern "C" {
#endif

typedef char16_t HostChar16;

/* A handler of an event or command: one pointer-size argument, a 32-bit result. */
typedef int32_t (*HostHandler)(intptr_t argument);

/* The host's function table, handed to Load. Entries 1-3 belong to the host. */
typedef struct HostApi {
    void (*entry1)(void);
    void (*entry2)(void);
    void (*entry3)(void);
    intptr_t (*subscribeEvent)(const char* eventName, HostHandler handler);
    void (*unsubscribeEvent)(intptr_t handle);
    intptr_t (*registerCommand)(const char* commandName, HostHandler handler);
    void (*unregisterCommand)(intptr_t handle);
    intptr_t (*callCommand)(const char* commandName, intptr_t argument1, intptr_t argument2);
    int32_t (*hasCommand)(const char* commandName);
} HostApi;

/* Passed with "MainMenu/CreateNewMenu"; lives only during the call. A host must pass cbSize =
   sizeof(MenuItemDesc) of its own build: 32 on a 64-bit system (16 on a 32-bit one), and may
   refuse a smaller value as a record of another layout. */
typedef struct MenuItemDesc {
    uint32_t cbSize;              /* sizeof(MenuItemDesc): 32 on 64-bit, 16 on 32-bit */
    const HostChar16* menuPath;   /* "A/B/C": menus A and B, item C */
    uint32_t reserved;            /* 0 */
    const char* commandName;      /* the command the item runs */
} MenuItemDesc;

/* What a plug-in announces about itself; lives as long as the library. */
typedef struct PluginInfo {
    uint32_t size;                /* sizeof(PluginInfo) */
    const HostChar16* id;
    uint32_t version;             /* one byte per component, major first: 0x01000000 = 1.0.0.0 */
    const HostChar16* title;
    const HostChar16* vendor;
    const HostChar16* email;
    const HostChar16* notice;
    const HostChar16* url;
    uint8_t guid[16];
} PluginInfo;

/* The layout is the binary interface: a compiler or an edit that moved a field would break every
   host silently, so every size and offset is checked when this header is compiled. P is the size
   of a pointer (8 on 64-bit, 4 on 32-bit). */
#ifdef __cplusplus
#define VEXOL_HOST_API_CHECK(condition, text) static_assert(condition, text)
#else
#define VEXOL_HOST_API_CHECK(condition, text) _Static_assert(condition, text)
#endif
#define VEXOL_P sizeof(void*)
VEXOL_HOST_API_CHECK(sizeof(HostApi) == 9 * VEXOL_P, "HostApi: nine pointer-size entries");
VEXOL_HOST_API_CHECK(offsetof(HostApi, entry1) == 0 * VEXOL_P, "HostApi.entry1");
VEXOL_HOST_API_CHECK(offsetof(HostApi, entry2) == 1 * VEXOL_P, "HostApi.entry2");
VEXOL_HOST_API_CHECK(offsetof(HostApi, entry3) == 2 * VEXOL_P, "HostApi.entry3");
VEXOL_HOST_API_CHECK(offsetof(HostApi, subscribeEvent) == 3 * VEXOL_P, "HostApi.subscribeEvent");
VEXOL_HOST_API_CHECK(offsetof(HostApi, unsubscribeEvent) == 4 * VEXOL_P, "HostApi.unsubscribeEvent");
VEXOL_HOST_API_CHECK(offsetof(HostApi, registerCommand) == 5 * VEXOL_P, "HostApi.registerCommand");
VEXOL_HOST_API_CHECK(offsetof(HostApi, unregisterCommand) == 6 * VEXOL_P, "HostApi.unregisterCommand");
VEXOL_HOST_API_CHECK(offsetof(HostApi, callCommand) == 7 * VEXOL_P, "HostApi.callCommand");
VEXOL_HOST_API_CHECK(offsetof(HostApi, hasCommand) == 8 * VEXOL_P, "HostApi.hasCommand");

VEXOL_HOST_API_CHECK(sizeof(MenuItemDesc) == 4 * VEXOL_P, "MenuItemDesc: 32 bytes on 64-bit, 16 on 32-bit");
VEXOL_HOST_API_CHECK(offsetof(MenuItemDesc, cbSize) == 0, "MenuItemDesc.cbSize");
VEXOL_HOST_API_CHECK(offsetof(MenuItemDesc, menuPath) == 1 * VEXOL_P, "MenuItemDesc.menuPath");
VEXOL_HOST_API_CHECK(offsetof(MenuItemDesc, reserved) == 2 * VEXOL_P, "MenuItemDesc.reserved");
VEXOL_HOST_API_CHECK(offsetof(MenuItemDesc, commandName) == 3 * VEXOL_P, "MenuItemDesc.commandName");

VEXOL_HOST_API_CHECK(sizeof(PluginInfo) == 8 * VEXOL_P + 16, "PluginInfo: 80 bytes on 64-bit, 48 on 32-bit");
VEXOL_HOST_API_CHECK(offsetof(PluginInfo, size) == 0, "PluginInfo.size");
VEXOL_HOST_API_CHECK(offsetof(PluginInfo, id) == 1 * VEXOL_P, "PluginInfo.id");
VEXOL_HOST_API_CHECK(offsetof(PluginInfo, version) == 2 * VEXOL_P, "PluginInfo.version");
VEXOL_HOST_API_CHECK(offsetof(PluginInfo, title) == 3 * VEXOL_P, "PluginInfo.title");
VEXOL_HOST_API_CHECK(offsetof(PluginInfo, vendor) == 4 * VEXOL_P, "PluginInfo.vendor");
VEXOL_HOST_API_CHECK(offsetof(PluginInfo, email) == 5 * VEXOL_P, "PluginInfo.email");
VEXOL_HOST_API_CHECK(offsetof(PluginInfo, notice) == 6 * VEXOL_P, "PluginInfo.notice");
VEXOL_HOST_API_CHECK(offsetof(PluginInfo, url) == 7 * VEXOL_P, "PluginInfo.url");
VEXOL_HOST_API_CHECK(offsetof(PluginInfo, guid) == 8 * VEXOL_P, "PluginInfo.guid");
#undef VEXOL_P
#undef VEXOL_HOST_API_CHECK

/* The three functions every plug-in library exports. */
typedef const PluginInfo* (*GetPluginInfoFn)(void);
typedef int32_t (*LoadFn)(const HostApi* host);
typedef int32_t (*UnloadFn)(void);

#ifdef __cplusplus
}
#endif

#endif
