#pragma once
#include "host/PluginLifecycle.h"

// Creates the plug-in's main window as a modeless dialog owned by the host window.
std::unique_ptr<host::MainWindow> createMainWindow(intptr_t hostWindow);
