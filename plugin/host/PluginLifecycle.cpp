#include "host/PluginLifecycle.h"

#include "host/HostBus.h"
#include "host/SettingsStore.h"
#include "input/DataBaseConnectionBase.h"
#include "platform/LanguageTable.h"
#include "platform/Library.h"
#include "platform/Paths.h"
#include "platform/PrivateTempFolder.h"
#include "resources/ResourceModule.h"

#include <string>

namespace host {

namespace {

const char kModulesLoaded[] = "System/ModulesLoaded";
const char kMenuCommand[] = "vexol/MenuCommand";

struct LibraryState {
    intptr_t modulesLoadedHandle = 0;
    intptr_t menuCommandHandle = 0;
    platform::LibraryHandle languageLibrary = nullptr;
    MainWindowFactory factory = nullptr;
    std::unique_ptr<MainWindow> mainWindow;
};

LibraryState& state()
{
    static LibraryState s;
    return s;
}

const PluginInfo kPluginInfo = {
    sizeof(PluginInfo),
    u"vexol",
    0x01000000,
    u"Dvinar",
    u"Dvinar Laboratory Software",
    u"support@dvinar.example",
    u"Copyright (c) 2026 Dvinar Laboratory Software. All rights reserved.",
    u"https://dvinar.example",
    {0x6f, 0x1c, 0x2b, 0x9e, 0x4a, 0x7d, 0x4c, 0x3b, 0x9e, 0x52, 0x8d, 0x0a, 0x1f, 0x3c, 0x7b, 0x64},
};

void freeLanguageLibrary()
{
    LibraryState& s = state();
    resources::resourceModule().useTables(nullptr);
    platform::freeLibrary(s.languageLibrary);
    s.languageLibrary = nullptr;
}

// Steps 6-8 of loading: a library that does not load or has no resource tables leaves the
// built-in Russian resources in use.
void loadLanguageLibrary(int language, std::u16string_view ownLibraryPath)
{
    std::u16string abbreviation = platform::languageAbbreviation(language);
    if (abbreviation.empty() || ownLibraryPath.empty())
        return;
    std::u16string path = languageLibraryPath(ownLibraryPath, abbreviation);
    platform::LibraryHandle library = platform::loadLibrary(path);
    if (!library)
        return;
    auto tablesFn = reinterpret_cast<VexolResourceTablesFn>(platform::librarySymbol(library, VEXOL_RESOURCE_TABLES_SYMBOL));
    const resources::ResourceTables* tables = tablesFn ? tablesFn() : nullptr;
    if (!tables || tables->size < sizeof(resources::ResourceTables)) {
        platform::freeLibrary(library);
        return;
    }
    state().languageLibrary = library;
    resources::resourceModule().useTables(tables);
}

} // namespace

void setMainWindowFactory(MainWindowFactory factory) { state().factory = factory; }

const PluginInfo* pluginInfo() { return &kPluginInfo; }

std::u16string languageLibraryPath(std::u16string_view ownLibraryPath, std::u16string_view abbreviation)
{
    std::u16string_view name = platform::fileNamePart(ownLibraryPath);
    std::size_t nameStart = ownLibraryPath.size() - name.size();
    std::size_t dot = name.rfind(u'.');
    std::size_t stemEnd = dot == std::u16string_view::npos ? ownLibraryPath.size() : nameStart + dot;
    std::u16string path(ownLibraryPath.substr(0, stemEnd));
    path += abbreviation;
    path += u".so";
    return path;
}

int32_t load(const HostApi* api, std::u16string_view ownLibraryPath)
{
    try {
        setHostApi(api);
        freeLanguageLibrary();
        state().modulesLoadedHandle = subscribeEvent(kModulesLoaded, &onModulesLoaded);
        if (!hasCommand("System/GetLanguage"))
            return 0;
        int language = static_cast<int>(callCommand("System/GetLanguage", 0, 0) & 0xFFFF);
        if (language == 1049)
            return 0;
        loadLanguageLibrary(language, ownLibraryPath);
    } catch (const std::exception&) {
        // Memory while choosing the language library: the built-in resources serve.
    }
    return 0;
}

int32_t onModulesLoaded(intptr_t)
{
    try {
        state().menuCommandHandle = registerCommand(kMenuCommand, &onMenuCommand);
        std::u16string menuPath = resources::resourceModule().loadString(104);
        MenuItemDesc item {};
        item.cbSize = sizeof(MenuItemDesc);
        item.menuPath = menuPath.c_str();
        item.reserved = 0;
        item.commandName = kMenuCommand;
        callCommand("MainMenu/CreateNewMenu", 0, reinterpret_cast<intptr_t>(&item));
        if (hasCommand("DB/GetConnectionUri")) {
            auto uri = reinterpret_cast<const char16_t*>(callCommand("DB/GetConnectionUri", 0, 0));
            DataBaseConnectionBase::instance().setUri(uri);
        }
    } catch (const std::exception&) {
        // Memory for the menu text or the connection string: the host never sees the failure
        // (handlers answer 0 whatever happens); the menu item or the stored connection is missing,
        // and adding assays then says that there is no database.
    }
    return 0;
}

int32_t onMenuCommand(intptr_t hostWindow)
{
    try {
        LibraryState& s = state();
        if (!s.mainWindow) {
            setKeyPrefix(u"plugins\\vexol");
            if (!s.factory)
                return 0;
            s.mainWindow = s.factory(hostWindow);
        }
        if (s.mainWindow)
            s.mainWindow->showNormalActivated();
    } catch (const std::exception&) {
        // Memory while building the window: no window appears and the next menu command tries
        // again; the host never sees the failure.
    }
    return 0;
}

int32_t unload()
{
    // Everything Load and the handlers set up goes, so that a later Load on the same copy of the
    // library starts as the first one did: no window of the old host, no stale handles, prefix or
    // connection string.
    LibraryState& s = state();
    try {
        // The window may still save its position through the host: it goes while the host is there.
        s.mainWindow.reset();
    } catch (const std::exception&) {
        // Memory while the window takes itself down: what is left of it is dropped with it.
    }
    unsubscribeEvent(s.modulesLoadedHandle);
    unregisterCommand(s.menuCommandHandle);
    freeLanguageLibrary();
    try {
        // The reports shown in this session are the analyst's data: nobody else's to find later.
        platform::removeSessionTempFiles();
    } catch (const std::exception&) {
        // Memory while listing the folder: the files stay until the folder is a day old.
    }
    s.modulesLoadedHandle = 0;
    s.menuCommandHandle = 0;
    setKeyPrefix(u"");
    DataBaseConnectionBase::clearInstance();
    setHostApi(nullptr);
    return 0;
}

MainWindow* mainWindow() { return state().mainWindow.get(); }

void destroyMainWindow() { state().mainWindow.reset(); }

bool languageLibraryLoaded() { return state().languageLibrary != nullptr; }

} // namespace host
