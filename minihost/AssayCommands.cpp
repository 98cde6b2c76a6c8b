#include "AssayCommands.h"

#include "AssayDialog.h"
#include "ChromatogramViewer.h"
#include "MessageBus.h"

#include <QPointer>
#include <QStringList>

#include <algorithm>
#include <cstdio>
#include <exception>

namespace {

// The host's answer when nothing was chosen, besides 0.
constexpr intptr_t nothingChosen = 0x80000000LL;

std::vector<int32_t> askTheAnalyst(const QString& databasePath, int language, QWidget* hostWindow, bool* accepted)
{
    AssayDialog dialog(databasePath, language, hostWindow);
    *accepted = dialog.exec() == QDialog::Accepted;
    return *accepted ? dialog.chosenIds() : std::vector<int32_t>();
}

} // namespace

std::optional<ScriptedAssayChoice> parseScriptedAssayChoice(const QString& text)
{
    const QString trimmed = text.trimmed();
    ScriptedAssayChoice choice;
    if (trimmed == QStringLiteral("cancel")) {
        choice.kind = ScriptedAssayChoice::Kind::Cancel;
        return choice;
    }
    if (trimmed == QStringLiteral("none")) {
        choice.kind = ScriptedAssayChoice::Kind::None;
        return choice;
    }
    for (const QString& part : trimmed.split(u',', Qt::SkipEmptyParts)) {
        bool ok = false;
        const int id = part.trimmed().toInt(&ok);
        if (!ok)
            return std::nullopt;
        choice.ids.push_back(id);
    }
    return choice;
}

void serveAssayCommands(MessageBus& bus, QWidget* hostWindow, const AssayCommandOptions& options)
{
    QPointer<QWidget> owner(hostWindow);

    bus.serve("Main/OpenAssayIdDlg", [options, owner](intptr_t capacity, intptr_t arrayAddress) -> intptr_t {
        try {
            auto* array = reinterpret_cast<int32_t*>(arrayAddress);
            if (!array || capacity <= 0)
                return 0;
            std::vector<int32_t> chosen;
            if (options.scriptedChoice) {
                switch (options.scriptedChoice->kind) {
                case ScriptedAssayChoice::Kind::Cancel: return 0;
                case ScriptedAssayChoice::Kind::None: return nothingChosen;
                case ScriptedAssayChoice::Kind::Ids: chosen = options.scriptedChoice->ids; break;
                }
            } else {
                bool accepted = false;
                chosen = askTheAnalyst(options.databasePath, options.language, owner.data(), &accepted);
                if (!accepted)
                    return 0;
            }
            // Never beyond the room the plug-in gave.
            const auto count = static_cast<std::size_t>(std::min<intptr_t>(capacity, static_cast<intptr_t>(chosen.size())));
            std::copy_n(chosen.begin(), count, array);
            return static_cast<intptr_t>(count);
        } catch (const std::exception& exception) {
            std::fprintf(stderr, "minihost: the assay dialog failed: %s\n", exception.what());
            return 0;
        }
    });

    bus.serve("Main/OpenAssayFile", [owner, language = options.language](intptr_t, intptr_t pathAddress) -> intptr_t {
        try {
            if (!pathAddress)
                return 0;
            const QString path = QString::fromUtf16(reinterpret_cast<const char16_t*>(pathAddress));
            auto* viewer = new ChromatogramViewer(path, language, owner.data());
            viewer->setAttribute(Qt::WA_DeleteOnClose);
            viewer->show();
            return 1;
        } catch (const std::exception& exception) {
            std::fprintf(stderr, "minihost: the chromatogram viewer failed: %s\n", exception.what());
            return 0;
        }
    });
}
