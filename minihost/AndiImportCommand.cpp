#include "AndiImportCommand.h"

#include "AndiImporter.h"
#include "HostTexts.h"

#include "input/SqlException.h"

#include <QAction>
#include <QFileDialog>
#include <QFileInfo>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>

#include <exception>

namespace {

QString text(bool english, const char* russian, const char* inEnglish)
{
    return english ? QString::fromUtf8(inEnglish) : QString::fromUtf8(russian);
}

bool isEnglish(const AndiImportSettings& settings)
{
    return settings.language == 1033;
}

QString shortName(const std::string& input)
{
    QStringList parts;
    for (const QString& part : QString::fromStdString(input).split(u'+'))
        parts << QFileInfo(part).fileName();
    return parts.join(u'+');
}

QMenu* dataMenu(QMainWindow& window, const QString& title)
{
    for (QAction* action : window.menuBar()->actions())
        if (action->menu() && action->text() == title)
            return action->menu();
    return window.menuBar()->addMenu(title);
}

} // namespace

QStringList AndiImportPrompts::chooseFiles(QWidget* parent, bool english)
{
    return QFileDialog::getOpenFileNames(parent, text(english, "Файлы AIA/ANDI", "AIA/ANDI files"), QString(),
                                         text(english, "AIA/ANDI (*.cdf *.CDF);;Все файлы (*)", "AIA/ANDI (*.cdf *.CDF);;All files (*)"));
}

bool AndiImportPrompts::chooseOptions(QWidget* parent, int fileCount, bool english, AndiImportChoice& choice)
{
    AndiImportDialog dialog(fileCount, english, parent);
    dialog.setChoice(choice);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    choice = dialog.choice();
    return true;
}

void AndiImportPrompts::showSummary(QWidget* parent, const QString& title, const QString& summary, bool failed)
{
    QMessageBox box(failed ? QMessageBox::Warning : QMessageBox::Information, title, summary, QMessageBox::Ok, parent);
    box.exec();
}

AndiImportPrompts& dialogAndiImportPrompts()
{
    static AndiImportPrompts prompts;
    return prompts;
}

QString runAndiImport(const AndiImportSettings& settings, const QStringList& files, const AndiImportChoice& choice, bool& failed)
{
    const bool english = isEnglish(settings);
    failed = false;
    ImportOptions options;
    options.database = settings.databasePath.toStdString();
    options.calibration = choice.calibration;
    if (!choice.mixture.isEmpty())
        options.mixture = choice.mixture.toStdU16String();
    options.autoPair = choice.autoPair;
    options.reintegrate = choice.reintegrate;
    std::vector<std::string> inputs;
    for (const QString& file : files)
        inputs.push_back(file.toStdString());

    std::vector<ImportOutcome> outcomes;
    try {
        AndiImporter importer(options);
        outcomes = importer.importAll(inputs);
    } catch (const DataBase::SqlException& failure) {
        failed = true;
        return text(english, "База данных %1 недоступна: %2", "The database %1 cannot be used: %2")
            .arg(settings.databasePath, QString::fromStdString(failure.message()));
    } catch (const std::exception& failure) {
        failed = true;
        return text(english, "Импорт не выполнен: %1", "Nothing was imported: %1").arg(QString::fromUtf8(failure.what()));
    }

    QStringList imported, refused, warnings;
    for (const ImportOutcome& outcome : outcomes) {
        const QString name = shortName(outcome.input);
        for (const std::string& warning : outcome.warnings)
            warnings << QStringLiteral("%1: %2").arg(name, hostImportText(warning, settings.language));
        if (!outcome.imported()) {
            refused << QStringLiteral("%1: %2").arg(name, hostImportText(outcome.refusal, settings.language, outcome.files));
            continue;
        }
        QStringList channels;
        for (const ChannelOutcome& channel : outcome.channels)
            channels << text(english, "канал %1: %2 пик. (%3)", "channel %1: %2 peaks (%3)")
                            .arg(channel.number)
                            .arg(static_cast<qulonglong>(channel.peakCount))
                            .arg(channel.peakSource == "integrated" ? text(english, "интегрировано", "integrated")
                                                                    : text(english, "таблица пиков", "peak table"));
        imported << text(english, "%1: анализ %2, %3", "%1: assay %2, %3").arg(name).arg(*outcome.assayId).arg(channels.join(QStringLiteral(", ")));
    }
    failed = imported.isEmpty();
    QString summary = text(english, "Импортировано: %1, отклонено: %2.", "Imported: %1, refused: %2.").arg(imported.size()).arg(refused.size());
    if (!imported.isEmpty())
        summary += u'\n' + imported.join(u'\n');
    if (!refused.isEmpty())
        summary += QStringLiteral("\n\n") + text(english, "Отклонено:", "Refused:") + u'\n' + refused.join(u'\n');
    if (!warnings.isEmpty())
        summary += QStringLiteral("\n\n") + text(english, "Предупреждения:", "Warnings:") + u'\n' + warnings.join(u'\n');
    return summary;
}

QAction* installAndiImportMenu(QMainWindow& window, const AndiImportSettings& settings, AndiImportPrompts& prompts)
{
    const bool english = isEnglish(settings);
    QMenu* menu = dataMenu(window, text(english, "Данные", "Data"));
    QAction* item = menu->addAction(text(english, "Импорт AIA/ANDI…", "Import AIA/ANDI…"));
    item->setObjectName(QStringLiteral("importAndi"));
    QObject::connect(item, &QAction::triggered, &window, [&window, settings, &prompts, english] {
        const QString title = text(english, "Импорт AIA/ANDI", "Import AIA/ANDI");
        // A slot must not let anything escape into the event loop.
        try {
            if (settings.databasePath.isEmpty()) {
                prompts.showSummary(&window, title,
                                    text(english, "У программы нет базы данных (параметр --db).", "The host has no database (option --db)."), true);
                return;
            }
            const QStringList files = prompts.chooseFiles(&window, english);
            if (files.isEmpty())
                return;
            AndiImportChoice choice;
            if (!prompts.chooseOptions(&window, static_cast<int>(files.size()), english, choice))
                return;
            bool failed = false;
            const QString summary = runAndiImport(settings, files, choice, failed);
            prompts.showSummary(&window, title, summary, failed);
        } catch (const std::exception& failure) {
            prompts.showSummary(&window, title, QString::fromUtf8(failure.what()), true);
        }
    });
    return item;
}
