#pragma once
// The host's menu item "Данные → Импорт AIA/ANDI…" ("Data → Import AIA/ANDI…" in English): choose
// ANDI files, answer the small import dialog, import them into the host database, and see what was
// imported and what was refused. The assay dialog lists the new assays the next time it opens.
#include "AndiImportDialog.h"

#include <QString>
#include <QStringList>

class QAction;
class QMainWindow;
class QWidget;

// The questions the import asks. The defaults show the dialogs; tests answer them instead.
class AndiImportPrompts {
public:
    virtual ~AndiImportPrompts() = default;
    // The files to import; empty when the analyst cancels.
    virtual QStringList chooseFiles(QWidget* parent, bool english);
    // False when the analyst cancels.
    virtual bool chooseOptions(QWidget* parent, int fileCount, bool english, AndiImportChoice& choice);
    // `failed`: nothing could be imported at all (the database is unusable).
    virtual void showSummary(QWidget* parent, const QString& title, const QString& text, bool failed);
};

struct AndiImportSettings {
    QString databasePath;   // the host database; empty: the host has none, the item says so
    int language = 1049;
};

// Adds the item to the window's "Данные" ("Data") menu. `prompts` must outlive the window.
QAction* installAndiImportMenu(QMainWindow& window, const AndiImportSettings& settings, AndiImportPrompts& prompts);

// The default prompts, with real dialogs.
AndiImportPrompts& dialogAndiImportPrompts();

// Runs one import with the given files and choice; returns the summary text (also used by tests).
QString runAndiImport(const AndiImportSettings& settings, const QStringList& files, const AndiImportChoice& choice, bool& failed);
