#pragma once
// The commands the host serves to plug-ins.
#include <QString>

class HostWindow;
class MessageBus;
class ProfileStore;

struct HostOptions {
    int language = 1049;
    QString databasePath;  // empty: the host names no database
};

void serveHostCommands(MessageBus& bus, HostWindow& window, ProfileStore& profile, const HostOptions& options);
