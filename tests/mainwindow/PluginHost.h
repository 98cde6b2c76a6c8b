#pragma once
// The real libvexol.so in the test's process, on minihost's recording host: it loads the library,
// serves the host commands the plug-in calls (language, menu, database, profile, assay dialog,
// chromatogram viewer), records what it was asked, and chooses the plug-in's menu item.
//
// The plug-in keeps its main window until it is unloaded, and a process holds the library once;
// so each test runs in a process of its own (ctest runs every test that way).
#include "RecordingHost.h"

#include <QString>

#include <cstdint>
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

    RecordingHost recording;
    // What "Main/OpenAssayIdDlg" answers next.
    std::vector<int32_t> chosenIds;
    // The host profile: key -> value, and every key read or written, in order.
    std::map<std::u16string, int32_t>& profile = recording.profile;
    std::vector<std::u16string>& profileReads = recording.profileReads;
    std::vector<std::pair<std::u16string, int32_t>>& profileWrites = recording.profileWrites;
    // Files the plug-in asked the host to open.
    std::vector<std::u16string> openedFiles;
    std::vector<std::u16string>& menuPaths = recording.menuPaths;

    // How many times a key was read; for counting pipeline runs.
    int readsOf(const std::u16string& key) const;

private:
    void* library_ = nullptr;
    UnloadFn unload_ = nullptr;
    std::u16string databaseUri_;
    std::unique_ptr<QWidget> window_;
    QString error_;
};
