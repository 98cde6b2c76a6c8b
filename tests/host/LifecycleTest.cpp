#include "RecordingHost.h"

#include "host/HostBus.h"
#include "host/PluginLifecycle.h"
#include "host/SettingsStore.h"
#include "input/DataBaseConnectionBase.h"
#include "platform/Paths.h"
#include "platform/PrivateTempFolder.h"
#include "platform/Text.h"
#include "resources/ResourceModule.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// A folder that stands for the plug-in's installation: the plug-in file and whatever language
// library a test puts beside it.
struct InstallFolder {
    fs::path dir;
    InstallFolder()
    {
        dir = fs::temp_directory_path() / ("vexol-install-" + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
        std::ofstream(dir / "libvexol.so") << "stands for the plug-in";
    }
    ~InstallFolder() { fs::remove_all(dir); }
    std::u16string pluginPath() const { return (dir / "libvexol.so").u16string(); }
    void put(const std::string& builtName, const std::string& asName) const
    {
        fs::copy_file(fs::path(VEXOL_BIN_DIR) / builtName, dir / asName);
    }
};

struct CountingWindow : host::MainWindow {
    static int created;
    static int shown;
    static intptr_t owner;
    void showNormalActivated() override { ++shown; }
};
int CountingWindow::created = 0;
int CountingWindow::shown = 0;
intptr_t CountingWindow::owner = 0;

std::unique_ptr<host::MainWindow> makeCountingWindow(intptr_t hostWindow)
{
    ++CountingWindow::created;
    CountingWindow::owner = hostWindow;
    return std::make_unique<CountingWindow>();
}

class Lifecycle : public ::testing::Test {
protected:
    void TearDown() override
    {
        host::unload();
        host::destroyMainWindow();
        host::setHostApi(nullptr);
    }
    RecordingHost fake;
    InstallFolder install;
};

} // namespace

TEST_F(Lifecycle, PluginInfoIsTheSameBeforeAndAfterLoad)
{
    const PluginInfo* before = host::pluginInfo();
    ASSERT_NE(before, nullptr);
    EXPECT_EQ(before->size, sizeof(PluginInfo));
    EXPECT_EQ(std::u16string(before->id), u"vexol");
    EXPECT_EQ(std::u16string(before->title), u"Dvinar");
    EXPECT_EQ(before->version, 0x01000000u);
    EXPECT_FALSE(std::u16string(before->vendor).empty());
    fake.serveStandard(1049);
    host::load(fake.api(), install.pluginPath());
    EXPECT_EQ(host::pluginInfo(), before);
    EXPECT_EQ(std::u16string(host::pluginInfo()->id), u"vexol");
}

TEST_F(Lifecycle, RussianHostNeverLooksForALanguageLibrary)
{
    // Even a library named for Russian beside the plug-in stays unloaded.
    install.put("libvexolENU.so", "libvexolRUS.so");
    fake.serveStandard(1049);
    EXPECT_EQ(host::load(fake.api(), install.pluginPath()), 0);
    EXPECT_FALSE(host::languageLibraryLoaded());
    EXPECT_EQ(fake.count("subscribeEvent", "System/ModulesLoaded"), 1);
    fake.bus.raise("System/ModulesLoaded");
    ASSERT_EQ(fake.menuPaths.size(), 1u);
    EXPECT_EQ(fake.menuPaths[0], u"Данные/Расчёты/Dvinar");
    EXPECT_EQ(fake.menuDescSizes[0], sizeof(MenuItemDesc));
}

TEST_F(Lifecycle, EnglishHostWithTheLibraryGetsEnglishTexts)
{
    install.put("libvexolENU.so", "libvexolENU.so");
    fake.serveStandard(1033);
    host::load(fake.api(), install.pluginPath());
    EXPECT_TRUE(host::languageLibraryLoaded());
    fake.bus.raise("System/ModulesLoaded");
    ASSERT_EQ(fake.menuPaths.size(), 1u);
    EXPECT_EQ(fake.menuPaths[0], u"Data/Calculations/Dvinar");
    host::unload();
    EXPECT_FALSE(host::languageLibraryLoaded());
    EXPECT_EQ(resources::resourceModule().loadString(104), u"Данные/Расчёты/Dvinar");
}

TEST_F(Lifecycle, MissingOrBrokenLanguageLibraryKeepsRussian)
{
    fake.serveStandard(1033);
    host::load(fake.api(), install.pluginPath());  // nothing beside the plug-in
    EXPECT_FALSE(host::languageLibraryLoaded());
    EXPECT_EQ(resources::resourceModule().loadString(104), u"Данные/Расчёты/Dvinar");
    host::unload();

    std::ofstream(install.dir / "libvexolENU.so") << "not a library at all";
    host::load(fake.api(), install.pluginPath());
    EXPECT_FALSE(host::languageLibraryLoaded());
    host::unload();

    fs::remove(install.dir / "libvexolENU.so");
    install.put("libnot_a_language_library.so", "libvexolENU.so");  // a real library without the resource function
    host::load(fake.api(), install.pluginPath());
    EXPECT_FALSE(host::languageLibraryLoaded());
    EXPECT_EQ(resources::resourceModule().loadString(114), u"№");

    // A language whose abbreviation is unknown, and a host that cannot tell its language.
    host::unload();
    fake.bus.serve("System/GetLanguage", [](intptr_t, intptr_t) -> intptr_t { return 4242; });
    host::load(fake.api(), install.pluginPath());
    EXPECT_FALSE(host::languageLibraryLoaded());
    host::unload();
    fake.bus.withdraw("System/GetLanguage");
    fake.clearCalls();
    host::load(fake.api(), install.pluginPath());
    EXPECT_EQ(fake.count("callCommand", "System/GetLanguage"), 0);
}

TEST_F(Lifecycle, LanguageLibraryNameReplacesTheExtension)
{
    EXPECT_EQ(host::languageLibraryPath(u"/opt/vantrel/plugins/libvexol.so", u"ENU"), u"/opt/vantrel/plugins/libvexolENU.so");
    EXPECT_EQ(host::languageLibraryPath(u"/opt/v.1/libvexol", u"DEU"), u"/opt/v.1/libvexolDEU.so");
}

TEST_F(Lifecycle, MenuCommandCreatesOneWindowAndShowsItAgain)
{
    host::setMainWindowFactory(&makeCountingWindow);
    CountingWindow::created = CountingWindow::shown = 0;
    fake.serveStandard(1049);
    host::load(fake.api(), install.pluginPath());
    fake.bus.raise("System/ModulesLoaded");
    ASSERT_TRUE(fake.bus.has("vexol/MenuCommand"));
    EXPECT_EQ(host::keyPrefix(), u"");
    const auto menu = [this](intptr_t owner) { return fake.bus.call("vexol/MenuCommand", owner, 0); };
    EXPECT_EQ(menu(0x1234), 0);
    EXPECT_EQ(host::keyPrefix(), u"plugins\\vexol");
    EXPECT_EQ(menu(0x1234), 0);
    EXPECT_EQ(CountingWindow::created, 1);
    EXPECT_EQ(CountingWindow::shown, 2);
    EXPECT_EQ(CountingWindow::owner, 0x1234);
}

TEST_F(Lifecycle, UnloadBeforeModulesLoadedStillUnregisters)
{
    fake.serveStandard(1049);
    host::load(fake.api(), install.pluginPath());
    EXPECT_EQ(host::unload(), 0);
    ASSERT_EQ(fake.count("unregisterCommand"), 1);
    ASSERT_EQ(fake.count("unsubscribeEvent"), 1);
    // Nothing was registered yet, so the command's handle is still 0; the event's is the one the
    // host gave.
    intptr_t subscribed = 0;
    for (const auto& call : fake.calls()) {
        if (call.entry == "subscribeEvent") {
            subscribed = call.handle;
        }
        if (call.entry == "unregisterCommand") {
            EXPECT_EQ(call.handle, 0);
        }
        if (call.entry == "unsubscribeEvent") {
            EXPECT_NE(call.handle, 0);
            EXPECT_EQ(call.handle, subscribed);
        }
    }
}

TEST_F(Lifecycle, ConnectionStringIsCopiedWhenTheHostHasOne)
{
    fake.serveStandard(1049);
    host::load(fake.api(), install.pluginPath());
    fake.bus.raise("System/ModulesLoaded");  // no "DB/GetConnectionUri": nothing stored
    EXPECT_EQ(DataBaseConnectionBase::instance().uri(), nullptr);

    auto text = std::make_unique<std::u16string>(u"/var/lib/vantrel/База.db");
    fake.bus.serve("DB/GetConnectionUri", [&text](intptr_t, intptr_t) -> intptr_t {
        return reinterpret_cast<intptr_t>(text->c_str());
    });
    fake.bus.raise("System/ModulesLoaded");
    text.reset();  // the host's own text is gone after the call
    ASSERT_NE(DataBaseConnectionBase::instance().uri(), nullptr);
    EXPECT_EQ(std::u16string(DataBaseConnectionBase::instance().uri()), u"/var/lib/vantrel/База.db");
}

TEST_F(Lifecycle, UnloadRemovesTheReportsOfTheSession)
{
    fake.serveStandard(1049);
    host::load(fake.api(), install.pluginPath());
    platform::FileError error;
    const std::u16string report = platform::createPrivateTempFile(u"vtl", u".html", "<p>report</p>", error);
    ASSERT_FALSE(report.empty()) << error.messageUtf8();
    ASSERT_TRUE(fs::exists(platform::nativePath(report)));
    host::unload();
    EXPECT_FALSE(fs::exists(platform::nativePath(report)));
}

TEST_F(Lifecycle, SecondLoadAfterUnloadBehavesLikeTheFirst)
{
    host::setMainWindowFactory(&makeCountingWindow);
    CountingWindow::created = CountingWindow::shown = 0;
    install.put("libvexolENU.so", "libvexolENU.so");
    fake.serveStandard(1033);
    auto text = std::make_unique<std::u16string>(u"/first.db");
    fake.bus.serve("DB/GetConnectionUri", [&text](intptr_t, intptr_t) -> intptr_t {
        return reinterpret_cast<intptr_t>(text->c_str());
    });

    // The first round: everything a session sets up.
    host::load(fake.api(), install.pluginPath());
    fake.bus.raise("System/ModulesLoaded");
    fake.bus.call("vexol/MenuCommand", 0x1111, 0);
    ASSERT_EQ(CountingWindow::created, 1);
    ASSERT_NE(host::mainWindow(), nullptr);
    ASSERT_TRUE(host::languageLibraryLoaded());
    ASSERT_NE(DataBaseConnectionBase::instance().uri(), nullptr);
    EXPECT_EQ(host::unload(), 0);

    // Unload left nothing of the first host behind.
    EXPECT_EQ(host::mainWindow(), nullptr);
    EXPECT_FALSE(host::languageLibraryLoaded());
    EXPECT_EQ(host::keyPrefix(), u"");
    EXPECT_EQ(DataBaseConnectionBase::instance().uri(), nullptr);
    EXPECT_EQ(host::hostApi(), nullptr);
    EXPECT_EQ(platform::utf16ToUtf8(resources::resourceModule().loadString(104)), "Данные/Расчёты/Dvinar");

    // A second host, in Russian, without a database: the plug-in starts from scratch.
    RecordingHost second;
    second.serveStandard(1049);
    host::load(second.api(), install.pluginPath());
    EXPECT_FALSE(host::languageLibraryLoaded());
    EXPECT_EQ(host::unload(), 0) << "unloading before the second ModulesLoaded";
    ASSERT_EQ(second.count("unregisterCommand"), 1);
    for (const auto& call : second.calls()) {
        if (call.entry == "unregisterCommand") {
            EXPECT_EQ(call.handle, 0) << "no handle of the first session is withdrawn again";
        }
    }

    host::load(second.api(), install.pluginPath());
    second.bus.raise("System/ModulesLoaded");
    EXPECT_EQ(DataBaseConnectionBase::instance().uri(), nullptr);
    EXPECT_EQ(second.menuPaths.back(), u"Данные/Расчёты/Dvinar");
    second.bus.call("vexol/MenuCommand", 0x2222, 0);
    EXPECT_EQ(CountingWindow::created, 2) << "a window of its own, owned by the new host's window";
    EXPECT_EQ(CountingWindow::owner, 0x2222);
    EXPECT_EQ(host::keyPrefix(), u"plugins\\vexol");
    host::unload();
    fake.bus.activate();  // TearDown unloads once more against the fixture's host
}

TEST(HostApiLayout, MenuItemRecordIsThirtyTwoBytesOnThisSystem)
{
    // The size a host compares cbSize with; minihost refuses a smaller one.
    if (sizeof(void*) == 8) {
        EXPECT_EQ(sizeof(MenuItemDesc), 32u);
    }
    RecordingHost fake;
    fake.serveStandard(1049);
    host::load(fake.api(), u"");
    fake.bus.raise("System/ModulesLoaded");
    ASSERT_EQ(fake.menuDescSizes.size(), 1u);
    EXPECT_EQ(fake.menuDescSizes[0], sizeof(MenuItemDesc));
    host::unload();
}
