#include "PluginHost.h"

#include <QDialog>
#include <QWidget>

#include <dlfcn.h>

#include <algorithm>
#include <set>

PluginHost* PluginHost::current = nullptr;

namespace {

const std::set<std::string>& servedCommands()
{
    static const std::set<std::string> names {"System/GetLanguage", "MainMenu/CreateNewMenu",
                                              "DB/GetConnectionUri", "Profile/GetInt",
                                              "Profile/SetInt", "Main/OpenAssayIdDlg",
                                              "Main/OpenAssayFile"};
    return names;
}

} // namespace

PluginHost::PluginHost() : window_(std::make_unique<QWidget>())
{
    current = this;
    window_->setObjectName(QStringLiteral("HostWindow"));
    api_.subscribeEvent = &PluginHost::subscribeEvent;
    api_.unsubscribeEvent = &PluginHost::unsubscribeEvent;
    api_.registerCommand = &PluginHost::registerCommand;
    api_.unregisterCommand = &PluginHost::unregisterCommand;
    api_.callCommand = &PluginHost::callCommand;
    api_.hasCommand = &PluginHost::hasCommand;
}

PluginHost::~PluginHost()
{
    // The host's window owns the plug-in's window and takes it down first, as the host does
    // when it closes; the library is told to unload afterwards.
    window_.reset();
    if (unload_)
        unload_();
    current = nullptr;
}

bool PluginHost::start(int language, const QString& databasePath)
{
    language_ = language;
    databaseUri_ = databasePath.toStdU16String();
    library_ = dlopen(VEXOL_BIN_DIR "/libvexol.so", RTLD_NOW | RTLD_LOCAL);
    if (!library_) {
        error_ = QString::fromUtf8(dlerror());
        return false;
    }
    auto load = reinterpret_cast<LoadFn>(dlsym(library_, "Load"));
    unload_ = reinterpret_cast<UnloadFn>(dlsym(library_, "Unload"));
    if (!load || !unload_) {
        error_ = QStringLiteral("libvexol.so lacks Load or Unload");
        return false;
    }
    load(&api_);
    if (auto found = events_.find("System/ModulesLoaded"); found != events_.end())
        found->second(0);
    return true;
}

void PluginHost::chooseMenuItem()
{
    if (auto found = commands_.find("vexol/MenuCommand"); found != commands_.end())
        found->second(reinterpret_cast<intptr_t>(window_.get()));
}

QDialog* PluginHost::mainWindow() const
{
    return window_ ? window_->findChild<QDialog*>(QStringLiteral("DlgMain"), Qt::FindDirectChildrenOnly) : nullptr;
}

int PluginHost::readsOf(const std::u16string& key) const
{
    return static_cast<int>(std::count(profileReads.begin(), profileReads.end(), key));
}

intptr_t PluginHost::subscribeEvent(const char* name, HostHandler handler)
{
    current->events_[name] = handler;
    return 1;
}

void PluginHost::unsubscribeEvent(intptr_t) {}

intptr_t PluginHost::registerCommand(const char* name, HostHandler handler)
{
    current->commands_[name] = handler;
    return 2;
}

void PluginHost::unregisterCommand(intptr_t) {}

intptr_t PluginHost::callCommand(const char* name, intptr_t argument1, intptr_t argument2)
{
    return current ? current->serve(name, argument1, argument2) : 0;
}

int32_t PluginHost::hasCommand(const char* name)
{
    return servedCommands().count(name) ? 1 : 0;
}

intptr_t PluginHost::serve(const std::string& name, intptr_t argument1, intptr_t argument2)
{
    if (name == "System/GetLanguage")
        return language_;
    if (name == "MainMenu/CreateNewMenu") {
        const auto* desc = reinterpret_cast<const MenuItemDesc*>(argument2);
        if (desc && desc->menuPath)
            menuPaths.emplace_back(desc->menuPath);
        return 1;
    }
    if (name == "DB/GetConnectionUri")
        return reinterpret_cast<intptr_t>(databaseUri_.c_str());
    if (name == "Profile/GetInt") {
        const std::u16string key = reinterpret_cast<const char16_t*>(argument1);
        profileReads.push_back(key);
        const auto found = profile.find(key);
        if (found == profile.end())
            return 0;
        *reinterpret_cast<int32_t*>(argument2) = found->second;
        return 1;
    }
    if (name == "Profile/SetInt") {
        const std::u16string key = reinterpret_cast<const char16_t*>(argument1);
        const int32_t value = *reinterpret_cast<const int32_t*>(argument2);
        profile[key] = value;
        profileWrites.emplace_back(key, value);
        return 1;
    }
    if (name == "Main/OpenAssayIdDlg") {
        auto* ids = reinterpret_cast<int32_t*>(argument2);
        const std::size_t count = std::min<std::size_t>(chosenIds.size(), static_cast<std::size_t>(argument1));
        std::copy_n(chosenIds.begin(), count, ids);
        return static_cast<intptr_t>(count);
    }
    if (name == "Main/OpenAssayFile") {
        openedFiles.emplace_back(reinterpret_cast<const char16_t*>(argument2));
        return 1;
    }
    return 0;
}
