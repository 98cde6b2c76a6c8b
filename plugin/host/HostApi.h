/* The binary interface between a Vantrel host and its plug-ins. Plain C, shared by the plug-in,
   minihost and any other host. Names of events and commands are NUL-terminated 8-bit texts
   ("Area/Name"); texts in records and command arguments are NUL-terminated UTF-16. */
#ifndef VEXOL_HOST_API_H
#define VEXOL_HOST_API_H

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

/* Passed with "MainMenu/CreateNewMenu"; lives only during the call. */
typedef struct MenuItemDesc {
    uint32_t cbSize;              /* sizeof(MenuItemDesc) */
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

/* The three functions every plug-in library exports. */
typedef const PluginInfo* (*GetPluginInfoFn)(void);
typedef int32_t (*LoadFn)(const HostApi* host);
typedef int32_t (*UnloadFn)(void);

#ifdef __cplusplus
}
#endif

#endif
