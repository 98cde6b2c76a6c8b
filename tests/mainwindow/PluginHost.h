#pragma once
// A host of the tests' own for the real libvexol.so, in the test's process: it loads the library,
// serves the host commands the plug-in calls (language, menu, database, profile, assay dialog,
// chromatogram viewer), records what it was asked, and chooses the plug-in's menu item.
//
// The plug-in keeps its main window until it is unloaded, and a process holds the library once;
// so each test runs in a process of its own (ctest runs every test that way).
#include "host/HostApi.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

class QDialog;
class QWidget;

class PluginHost {
public:
    PluginHost();
    ~PluginHost();

    // Loads <bin>/libvexol.so and calls Load, then raises "System/ModulesLoaded". False with the
    // reason in error() when the library or an entry point is missing.
    bool start(int language, const QString& databasePath);
    const QString& error() const { return error_; }

    // Runs the menu command, as choosing "Данные/Расчёты/Dvinar" does.
    void chooseMenuItem();
    // The plug-in's main window, once the menu command has made it.
    QDialog* mainWindow() const;
    QWidget* window() const { return window_.get(); }

    // What "Main/OpenAssayIdDlg" answers next: these ids, or the raw result when set.
    std::vector<int32_t> chosenIds;
    // The host profile: key -> value, and every key read or written, in order.
    std::map<std::u16string, int32_t> profile;
    std::vector<std::u16string> profileReads;
    std::vector<std::pair<std::u16string, int32_t>> profileWrites;
    // Files the plug-in asked the host to open.
    std::vector<std::u16string> openedFiles;
    std::vector<std::u16string> menuPaths;

    // How many times a key was read since the last call with this key; for counting pipeline runs.
    int readsOf(const std::u16string& key) const;

    static PluginHost* current;

private:
    static intptr_t subscribeEvent(const char* name, HostHandler handler);
    static void unsubscribeEvent(intptr_t handle);
    static intptr_t registerCommand(const char* name, HostHandler handler);
    static void unregisterCommand(intptr_t handle);
    static intptr_t callCommand(const char* name, intptr_t argument1, intptr_t argument2);
    static int32_t hasCommand(const char* name);

    intptr_t serve(const std::string& name, intptr_t argument1, intptr_t argument2);

    HostApi api_ {};
    void* library_ = nullptr;
    UnloadFn unload_ = nullptr;
    int language_ = 1049;
    std::u16string databaseUri_;
    std::map<std::string, HostHandler> events_;
    std::map<std::string, HostHandler> commands_;
    std::unique_ptr<QWidget> window_;
    QString error_;
};
