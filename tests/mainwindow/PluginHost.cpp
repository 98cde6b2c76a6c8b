#include "PluginHost.h"

#include <QDialog>
#include <QWidget>

#include <dlfcn.h>

#include <algorithm>

PluginHost::PluginHost() : window_(std::make_unique<QWidget>())
{
    window_->setObjectName(QStringLiteral("HostWindow"));
}

PluginHost::~PluginHost()
{
    // The host's window owns the plug-in's window and takes it down first, as the host does
    // when it closes; the library is told to unload afterwards.
    window_.reset();
    if (unload_)
        unload_();
}

bool PluginHost::start(int language, const QString& databasePath)
{
    databaseUri_ = databasePath.toStdU16String();
    recording.serveStandard(language);
    recording.bus.serve("DB/GetConnectionUri", [this](intptr_t, intptr_t) -> intptr_t {
        return reinterpret_cast<intptr_t>(databaseUri_.c_str());
    });
    recording.bus.serve("Main/OpenAssayIdDlg", [this](intptr_t capacity, intptr_t address) -> intptr_t {
        auto* ids = reinterpret_cast<int32_t*>(address);
        const std::size_t count = std::min<std::size_t>(chosenIds.size(), static_cast<std::size_t>(std::max<intptr_t>(capacity, 0)));
        std::copy_n(chosenIds.begin(), count, ids);
        return static_cast<intptr_t>(count);
    });
    recording.bus.serve("Main/OpenAssayFile", [this](intptr_t, intptr_t path) -> intptr_t {
        openedFiles.emplace_back(reinterpret_cast<const char16_t*>(path));
        return 1;
    });

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
    load(recording.api());
    recording.bus.raise("System/ModulesLoaded");
    return true;
}

void PluginHost::chooseMenuItem()
{
    recording.bus.call("vexol/MenuCommand", reinterpret_cast<intptr_t>(window_.get()), 0);
}

QDialog* PluginHost::mainWindow() const
{
    return window_ ? window_->findChild<QDialog*>(QStringLiteral("DlgMain"), Qt::FindDirectChildrenOnly) : nullptr;
}

int PluginHost::readsOf(const std::u16string& key) const
{
    return static_cast<int>(std::count(profileReads.begin(), profileReads.end(), key));
}
