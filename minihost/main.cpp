// minihost: a small Vantrel host for running and testing plug-ins on Linux.
#include "AndiImportCommand.h"
#include "AssayCommands.h"
#include "DvinarInstallation.h"
#include "HostCommandLine.h"
#include "HostCommands.h"
#include "HostWindow.h"
#include "MessageBus.h"
#include "PluginLoader.h"
#include "ProfileStore.h"

#include "platform/FileSeam.h"
#include "platform/InstalledData.h"
#include "platform/Paths.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QStandardPaths>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <optional>

namespace {

void printState(const HostWindow& window, const PluginLoader& loader)
{
    for (const auto& plugin : loader.plugins())
        std::printf("plugin: %s\n", QString::fromUtf16(plugin.info ? plugin.info->id : u"?").toUtf8().constData());
    for (const QString& path : window.menuItemPaths())
        std::printf("menu: %s\n", path.toUtf8().constData());
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->isVisible() && widget != &window)
            std::printf("window: %s\n", widget->windowTitle().toUtf8().constData());
    std::fflush(stdout);
}

// An installed minihost finds the plug-ins in the installation's plug-in folder; one in the build
// folder has them beside itself.
QString defaultPluginFolder()
{
    const QDir programFolder(QCoreApplication::applicationDirPath());
    const QString installed = programFolder.absoluteFilePath(QStringLiteral(DVINAR_PLUGIN_DIR_FROM_BIN));
    return QDir(installed).exists() ? QDir::cleanPath(installed) : programFolder.absolutePath();
}

} // namespace

int main(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const HostCommandLine line = parseHostCommandLine(arguments);
    switch (line.outcome) {
    case HostCommandLine::Outcome::Help:
        std::fputs(hostUsage().toUtf8().constData(), stdout);
        return 0;
    case HostCommandLine::Outcome::Version:
        std::printf("minihost %s\n", DVINAR_VERSION);
        return 0;
    case HostCommandLine::Outcome::Error:
        std::fprintf(stderr, "minihost: %s\n\n%s", line.error.toUtf8().constData(), hostUsage().toUtf8().constData());
        return 1;
    case HostCommandLine::Outcome::Run:
        break;
    }

    std::optional<ScriptedAssayChoice> scriptedChoice;
    if (line.assayChoice || qEnvironmentVariableIsSet("MINIHOST_CHOOSE_ASSAYS")) {
        const QString choice = line.assayChoice ? *line.assayChoice : qEnvironmentVariable("MINIHOST_CHOOSE_ASSAYS");
        scriptedChoice = parseScriptedAssayChoice(choice);
        if (!scriptedChoice) {
            std::fprintf(stderr, "minihost: \"%s\" is no list of assay ids\n", choice.toUtf8().constData());
            return 1;
        }
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("minihost"));
    QApplication::setApplicationVersion(QStringLiteral(DVINAR_VERSION));

    HostOptions options;
    options.language = line.language;
    options.databasePath = line.databasePath ? QDir(*line.databasePath).absolutePath() : QString();

    QString profilePath = line.profilePath.value_or(QString());
    if (profilePath.isEmpty()) {
        const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/minihost");
        // A profile folder that cannot be made shows when the profile is first written.
        platform::FileError failure;
        platform::createFolders(folder.toStdU16String(), 0777, failure);
        profilePath = folder + QStringLiteral("/profile.txt");
    }
    ProfileStore profile(profilePath);

    MessageBus bus;
    HostWindow window(bus, options.language);
    serveHostCommands(bus, window, profile, options);

    AssayCommandOptions assayOptions;
    assayOptions.databasePath = options.databasePath;
    assayOptions.language = options.language;
    assayOptions.scriptedChoice = scriptedChoice;
    serveAssayCommands(bus, &window, assayOptions);
    installAndiImportMenu(window, {options.databasePath, options.language}, dialogAndiImportPrompts());

    // An installed minihost puts the shipped template and component table in place on its first run.
    const QString dataFolder = QDir(QCoreApplication::applicationDirPath()).absoluteFilePath(QStringLiteral(DVINAR_DATA_DIR_FROM_BIN));
    if (QDir(dataFolder).exists())
        for (const std::u16string& failure :
             platform::copyMissingInstalledData(QDir::cleanPath(dataFolder).toStdU16String(), platform::publicDocumentsFolder()).failures)
            std::fprintf(stderr, "minihost: cannot put the shipped file in place: %s\n", QString::fromStdU16String(failure).toUtf8().constData());

    PluginLoader loader;
    const QString pluginFolder = line.pluginFolder ? *line.pluginFolder : defaultPluginFolder();
    loader.loadFolder(pluginFolder, bus.api());
    bus.raise("System/ModulesLoaded");
    window.show();

    const QStringList triggers = line.triggers;
    const bool print = line.printState;
    const bool quit = line.quit;
    int status = 0;
    QTimer::singleShot(0, &app, [&] {
        for (const QString& path : triggers) {
            QAction* item = window.findMenuItem(path);
            if (!item) {
                std::fprintf(stderr, "minihost: no menu item \"%s\"\n", path.toUtf8().constData());
                status = 2;
                continue;
            }
            item->trigger();
        }
        if (print)
            printState(window, loader);
        if (quit)
            QApplication::quit();
    });

    int result = app.exec();
    loader.unloadAll();
    return status ? status : result;
}
