#pragma once
// minihost's command line, read before any window system is touched: --help, --version and a
// wrong option are answered without a display.
#include <QString>
#include <QStringList>

#include <optional>

struct HostCommandLine {
    enum class Outcome { Run, Help, Version, Error };
    Outcome outcome = Outcome::Run;
    QString error;  // for Error

    std::optional<QString> pluginFolder;
    std::optional<QString> databasePath;
    std::optional<QString> profilePath;
    int language = 1049;
    QStringList triggers;
    bool printState = false;
    bool quit = false;
    std::optional<QString> assayChoice;  // --choose-assays, as given
};

// `arguments` without the program name. Qt's own window-system options (-platform, -style,
// -display, ...) are accepted and left for QApplication.
HostCommandLine parseHostCommandLine(const QStringList& arguments);

QString hostUsage();
