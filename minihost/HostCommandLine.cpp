#include "HostCommandLine.h"

#include <QCommandLineOption>
#include <QCommandLineParser>

namespace {

struct HostOptionTable {
    QCommandLineOption help {{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Print this help and exit.")};
    QCommandLineOption version {QStringLiteral("version"), QStringLiteral("Print the version and exit.")};
    QCommandLineOption plugins {QStringLiteral("plugins"),
        QStringLiteral("Folder of plug-in libraries (default: the installed plug-in folder, else the program's folder)."),
        QStringLiteral("dir")};
    QCommandLineOption database {QStringLiteral("db"), QStringLiteral("Host database file named to plug-ins (default: none)."),
        QStringLiteral("file")};
    QCommandLineOption profile {QStringLiteral("profile"),
        QStringLiteral("Profile file kept between runs (default: ~/.config/minihost/profile.txt)."), QStringLiteral("file")};
    QCommandLineOption language {QStringLiteral("language"),
        QStringLiteral("Interface language identifier: 1049 Russian (default), 1033 English."), QStringLiteral("id")};
    QCommandLineOption trigger {QStringLiteral("trigger"),
        QStringLiteral("Choose the menu item \"A/B/C\" once the plug-ins are loaded (may repeat). A \"/\" within a "
                       "menu text is written \"\\/\" (\"Data/Import AIA\\/ANDI…\"), a backslash \"\\\\\"."),
        QStringLiteral("path")};
    QCommandLineOption printState {QStringLiteral("print-state"),
        QStringLiteral("Print the plug-ins, menu items and open windows, then go on.")};
    QCommandLineOption quit {QStringLiteral("quit"), QStringLiteral("Quit after the triggers and the printing (for scripts and tests).")};
    QCommandLineOption chooseAssays {QStringLiteral("choose-assays"),
        QStringLiteral("Answer the assay dialog without showing it: ids \"3,5\", \"cancel\" (0) or \"none\" (0x80000000). "
                       "Default: $MINIHOST_CHOOSE_ASSAYS when set."),
        QStringLiteral("list")};

    QList<QCommandLineOption> all() const
    {
        return {help, version, plugins, database, profile, language, trigger, printState, quit, chooseAssays};
    }
};

// QApplication's own options, which it takes out of the command line itself.
QList<QCommandLineOption> windowSystemOptions()
{
    QList<QCommandLineOption> options;
    for (const char* name : {"platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry", "qwindowtitle",
                             "qwindowicon", "style", "stylesheet", "display", "geometry", "session"})
        options << QCommandLineOption(QString::fromLatin1(name), QString(), QStringLiteral("value"));
    for (const char* name : {"reverse", "widgetcount", "nograb", "dograb", "sync"})
        options << QCommandLineOption(QString::fromLatin1(name), QString());
    for (QCommandLineOption& option : options)
        option.setFlags(QCommandLineOption::HiddenFromHelp);
    return options;
}

} // namespace

QString hostUsage()
{
    QString text = QStringLiteral("usage: minihost [options]\n"
                                  "Vantrel host stand-in: loads the plug-ins of a folder and serves them.\n\nOptions:\n");
    for (const QCommandLineOption& option : HostOptionTable().all()) {
        QStringList names;
        for (const QString& name : option.names())
            names << (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
        QString left = names.join(QStringLiteral(", "));
        if (!option.valueName().isEmpty())
            left += QStringLiteral(" <") + option.valueName() + u'>';
        text += QStringLiteral("  ") + left.leftJustified(24) + u' ' + option.description() + u'\n';
    }
    return text;
}

HostCommandLine parseHostCommandLine(const QStringList& arguments)
{
    const HostOptionTable table;
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOptions(table.all());
    parser.addOptions(windowSystemOptions());

    HostCommandLine line;
    // The parser reads the first entry as the program's name.
    if (!parser.parse(QStringList {QStringLiteral("minihost")} + arguments)) {
        line.outcome = HostCommandLine::Outcome::Error;
        line.error = parser.errorText();
        return line;
    }
    if (parser.isSet(table.help)) {
        line.outcome = HostCommandLine::Outcome::Help;
        return line;
    }
    if (parser.isSet(table.version)) {
        line.outcome = HostCommandLine::Outcome::Version;
        return line;
    }
    if (!parser.positionalArguments().isEmpty()) {
        line.outcome = HostCommandLine::Outcome::Error;
        line.error = QStringLiteral("unexpected argument '%1'").arg(parser.positionalArguments().constFirst());
        return line;
    }
    if (parser.isSet(table.language)) {
        bool ok = false;
        line.language = parser.value(table.language).toInt(&ok);
        if (!ok || line.language <= 0) {
            line.outcome = HostCommandLine::Outcome::Error;
            line.error = QStringLiteral("bad language identifier '%1'").arg(parser.value(table.language));
            return line;
        }
    }
    if (parser.isSet(table.plugins))
        line.pluginFolder = parser.value(table.plugins);
    if (parser.isSet(table.database))
        line.databasePath = parser.value(table.database);
    if (parser.isSet(table.profile))
        line.profilePath = parser.value(table.profile);
    if (parser.isSet(table.chooseAssays))
        line.assayChoice = parser.value(table.chooseAssays);
    line.triggers = parser.values(table.trigger);
    line.printState = parser.isSet(table.printState);
    line.quit = parser.isSet(table.quit);
    return line;
}
