#pragma once
// Loads every plug-in library of a folder. A library without the three entry points (a language
// or fit library beside the plug-ins) is left alone.
#include "host/HostApi.h"

#include <QString>
#include <QStringList>
#include <vector>

class PluginLoader {
public:
    struct Plugin {
        QString path;
        void* handle = nullptr;
        const PluginInfo* info = nullptr;
        UnloadFn unload = nullptr;
    };

    // Calls GetPluginInfo and Load for each plug-in found, in file-name order.
    void loadFolder(const QString& folder, const HostApi* api);
    // Calls Unload for each, in reverse order, then closes the libraries.
    void unloadAll();

    const std::vector<Plugin>& plugins() const { return plugins_; }
    const QStringList& skipped() const { return skipped_; }

private:
    std::vector<Plugin> plugins_;
    QStringList skipped_;
};
