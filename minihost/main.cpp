// minihost: a small Vantrel host for running and testing plug-ins on Linux.
#include "AndiImportCommand.h"
#include "AssayCommands.h"
#include "HostCommands.h"
#include "HostWindow.h"
#include "MessageBus.h"
#include "PluginLoader.h"
#include "ProfileStore.h"

#include <QAction>
#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QStandardPaths>
#include <QTimer>
#include <QWidget>

#include <cstdio>

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

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("minihost"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Vantrel host stand-in: loads the plug-ins of a folder and serves them."));
    parser.addHelpOption();
    QCommandLineOption pluginsOption(QStringLiteral("plugins"), QStringLiteral("Folder of plug-in libraries (default: the program's folder)."), QStringLiteral("dir"));
    QCommandLineOption dbOption(QStringLiteral("db"), QStringLiteral("Host database file named to plug-ins (default: none)."), QStringLiteral("file"));
    QCommandLineOption profileOption(QStringLiteral("profile"), QStringLiteral("Profile file kept between runs (default: ~/.config/minihost/profile.txt)."), QStringLiteral("file"));
    QCommandLineOption languageOption(QStringLiteral("language"), QStringLiteral("Interface language identifier (default: 1049, Russian; 1033 English)."), QStringLiteral("id"), QStringLiteral("1049"));
    QCommandLineOption triggerOption(QStringLiteral("trigger"), QStringLiteral("Choose the menu item \"A/B/C\" once the plug-ins are loaded (may repeat)."), QStringLiteral("path"));
    QCommandLineOption printOption(QStringLiteral("print-state"), QStringLiteral("Print the plug-ins, menu items and open windows, then go on."));
    QCommandLineOption quitOption(QStringLiteral("quit"), QStringLiteral("Quit after the triggers and the printing (for scripts and tests)."));
    QCommandLineOption chooseAssaysOption(QStringLiteral("choose-assays"),
        QStringLiteral("Answer the assay dialog without showing it: ids \"3,5\", \"cancel\" (0) or \"none\" (0x80000000). "
                       "Default: $MINIHOST_CHOOSE_ASSAYS when set."), QStringLiteral("list"));
    parser.addOptions({pluginsOption, dbOption, profileOption, languageOption, triggerOption, printOption, quitOption,
                       chooseAssaysOption});
    parser.process(app);

    HostOptions options;
    bool languageOk = false;
    options.language = parser.value(languageOption).toInt(&languageOk);
    if (!languageOk)
        options.language = 1049;
    options.databasePath = parser.isSet(dbOption) ? QDir(parser.value(dbOption)).absolutePath() : QString();

    QString profilePath = parser.value(profileOption);
    if (profilePath.isEmpty()) {
        const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/minihost");
        QDir().mkpath(folder);
        profilePath = folder + QStringLiteral("/profile.txt");
    }
    ProfileStore profile(profilePath);

    MessageBus bus;
    HostWindow window(bus);
    serveHostCommands(bus, window, profile, options);

    AssayCommandOptions assayOptions;
    assayOptions.databasePath = options.databasePath;
    const QString choice = parser.isSet(chooseAssaysOption) ? parser.value(chooseAssaysOption)
                                                            : qEnvironmentVariable("MINIHOST_CHOOSE_ASSAYS");
    if (parser.isSet(chooseAssaysOption) || qEnvironmentVariableIsSet("MINIHOST_CHOOSE_ASSAYS")) {
        assayOptions.scriptedChoice = parseScriptedAssayChoice(choice);
        if (!assayOptions.scriptedChoice) {
            std::fprintf(stderr, "minihost: \"%s\" is no list of assay ids\n", choice.toUtf8().constData());
            return 1;
        }
    }
    serveAssayCommands(bus, &window, assayOptions);
    installAndiImportMenu(window, {options.databasePath, options.language}, dialogAndiImportPrompts());

    PluginLoader loader;
    const QString pluginFolder = parser.isSet(pluginsOption) ? parser.value(pluginsOption) : QCoreApplication::applicationDirPath();
    loader.loadFolder(pluginFolder, bus.api());
    bus.raise("System/ModulesLoaded");
    window.show();

    const QStringList triggers = parser.values(triggerOption);
    const bool print = parser.isSet(printOption);
    const bool quit = parser.isSet(quitOption);
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
