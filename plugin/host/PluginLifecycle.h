#pragma once
// What the plug-in does from Load to Unload: the subscription to "System/ModulesLoaded", the
// menu command, the choice of the resource module by the host language, and the one main window.
#include "host/HostApi.h"

#include <cstdint>
#include <memory>
#include <string_view>

namespace host {

// The main window as the lifecycle sees it: created once, shown again on every menu command.
class MainWindow {
public:
    virtual ~MainWindow() = default;
    virtual void showNormalActivated() = 0;
};

// Makes the main window, owned by the host window given by the menu command.
using MainWindowFactory = std::unique_ptr<MainWindow> (*)(intptr_t hostWindow);
void setMainWindowFactory(MainWindowFactory factory);

const PluginInfo* pluginInfo();

// ownLibraryPath: the plug-in file itself; the language library is looked for beside it.
int32_t load(const HostApi* api, std::u16string_view ownLibraryPath);
int32_t unload();

int32_t onModulesLoaded(intptr_t argument);
int32_t onMenuCommand(intptr_t hostWindow);

MainWindow* mainWindow();
// Ends the main window; the library does it when it is unloaded.
void destroyMainWindow();

bool languageLibraryLoaded();

// "<folder>/<name up to its last dot><abbreviation>.so": libvexol.so with ENU -> libvexolENU.so.
std::u16string languageLibraryPath(std::u16string_view ownLibraryPath, std::u16string_view abbreviation);

} // namespace host
