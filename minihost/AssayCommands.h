#pragma once
// The host's assay commands: "Main/OpenAssayIdDlg" (the modal assay dialog) and
// "Main/OpenAssayFile" (the chromatogram viewer).
//
// For scripts and tests the dialog can be answered without a person: a scripted choice is written
// into the plug-in's array as given (so a test may also play a host that lists an id twice, or one
// the dialog would not show) and its count returned.
#include "HostTexts.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

class MessageBus;
class QWidget;

struct ScriptedAssayChoice {
    enum class Kind {
        Ids,     // the ids below, in order
        Cancel,  // the dialog was cancelled: 0
        None     // the host's other "nothing chosen" answer: 0x80000000
    };
    Kind kind = Kind::Ids;
    std::vector<int32_t> ids;
};

// "3,5,3", "cancel" or "none"; nothing for any other text.
std::optional<ScriptedAssayChoice> parseScriptedAssayChoice(const QString& text);

struct AssayCommandOptions {
    QString databasePath;                             // the host database
    int language = hostDefaultLanguage;               // of the dialog and the viewer
    std::optional<ScriptedAssayChoice> scriptedChoice;  // answers the dialog without showing it
};

void serveAssayCommands(MessageBus& bus, QWidget* hostWindow, const AssayCommandOptions& options);
