#include "PluginLoader.h"

#include <QDir>
#include <QFile>
#include <dlfcn.h>

void PluginLoader::loadFolder(const QString& folder, const HostApi* api)
{
    const QStringList names = QDir(folder).entryList({QStringLiteral("*.so")}, QDir::Files, QDir::Name);
    for (const QString& name : names) {
        const QString path = QDir(folder).filePath(name);
        void* handle = ::dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
        if (!handle) {
            skipped_ << path;
            continue;
        }
        auto getInfo = reinterpret_cast<GetPluginInfoFn>(::dlsym(handle, "GetPluginInfo"));
        auto load = reinterpret_cast<LoadFn>(::dlsym(handle, "Load"));
        auto unload = reinterpret_cast<UnloadFn>(::dlsym(handle, "Unload"));
        if (!getInfo || !load || !unload) {
            ::dlclose(handle);
            skipped_ << path;
            continue;
        }
        Plugin plugin {path, handle, getInfo(), unload};
        load(api);
        plugins_.push_back(plugin);
    }
}

void PluginLoader::unloadAll()
{
    for (auto it = plugins_.rbegin(); it != plugins_.rend(); ++it)
        it->unload();
    for (auto it = plugins_.rbegin(); it != plugins_.rend(); ++it)
        ::dlclose(it->handle);
    plugins_.clear();
}
