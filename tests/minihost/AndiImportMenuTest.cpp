// The host's "Import AIA/ANDI…" item, offscreen: files and options answered by the test through the
// real options dialog, the summary read back, and the new assays in the host's assay dialog.
#include "AndiImportCommand.h"
#include "AndiTestFile.h"
#include "AssayDialog.h"
#include "MenuPath.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <fstream>

namespace {

// Answers the file question with a fixed list and fills the real options dialog like an analyst.
class ScriptedPrompts : public AndiImportPrompts {
public:
    QStringList files;
    AndiImportChoice answer;
    bool cancelOptions = false;
    QString summary;
    bool failed = false;
    int summaries = 0;
    QString screenshotFolder;

    QStringList chooseFiles(QWidget*, bool) override { return files; }
    bool chooseOptions(QWidget* parent, int fileCount, bool english, AndiImportChoice& choice) override
    {
        AndiImportDialog dialog(fileCount, english, parent);
        dialog.findChild<QRadioButton*>(QStringLiteral("calibration"))->setChecked(answer.calibration);
        dialog.findChild<QLineEdit*>(QStringLiteral("mixture"))->setText(answer.mixture);
        dialog.findChild<QCheckBox*>(QStringLiteral("autoPair"))->setChecked(answer.autoPair);
        if (!screenshotFolder.isEmpty()) {
            dialog.show();
            dialog.grab().save(screenshotFolder + QStringLiteral("/andi-import-options.png"));
        }
        QTimer::singleShot(0, &dialog, [&dialog, this] { cancelOptions ? dialog.reject() : dialog.accept(); });
        if (dialog.exec() != QDialog::Accepted)
            return false;
        choice = dialog.choice();
        return true;
    }
    void showSummary(QWidget*, const QString&, const QString& text, bool isFailure) override
    {
        summary = text;
        failed = isFailure;
        ++summaries;
    }
};

QAction* importItem(QMainWindow& window, const QString& menuTitle)
{
    for (QAction* menu : window.menuBar()->actions())
        if (menu->menu() && menu->text() == menuTitle)
            for (QAction* item : menu->menu()->actions())
                if (item->objectName() == QStringLiteral("importAndi"))
                    return item;
    return nullptr;
}

AndiTestFile runFile(const std::string& sample, const std::string& detector)
{
    AndiTestFile f;
    f.times = {60, 120};
    f.areas = {10, 20};
    f.names = std::vector<std::string>{"A", "B"};
    f.signal.assign(40, 2.0);
    f.text["sample_name"] = sample;
    f.text["detector_name"] = detector;
    return f;
}

TEST(AndiImportMenu, ImportsChosenFilesAndTheAssayDialogListsThem)
{
    const std::string folder = testFolder("minihost-menu");
    const QString database = QString::fromStdString(folder + "/host.db");
    const QString fid = QString::fromStdString(runFile("Std 1", "FID").write(folder + "/std1-fid.cdf"));
    const QString tcd = QString::fromStdString(runFile("Std 1", "TCD").write(folder + "/std1-tcd.cdf"));
    const QString other = QString::fromStdString(runFile("Std 2", "FID").write(folder + "/std2.cdf"));
    const QString text = QString::fromStdString(folder + "/readme.cdf");
    std::ofstream(text.toStdString()) << "no netCDF";

    QMainWindow window;
    window.menuBar()->addMenu(QStringLiteral("Данные"));  // as the plug-in's item may have made it
    ScriptedPrompts prompts;
    prompts.files = {fid, tcd, other, text};
    prompts.answer = {true, QStringLiteral("Смесь 1"), true, false};
    prompts.screenshotFolder = QStringLiteral(VEXOL_BUILD_DIR);
    QAction* item = installAndiImportMenu(window, {database, 1049}, prompts);
    ASSERT_EQ(item, importItem(window, QStringLiteral("Данные")));
    EXPECT_EQ(item->text(), QStringLiteral("Импорт AIA/ANDI…"));
    EXPECT_EQ(window.menuBar()->actions().size(), 1) << "a second Данные menu was made";

    item->trigger();
    ASSERT_EQ(prompts.summaries, 1);
    EXPECT_FALSE(prompts.failed);
    EXPECT_TRUE(prompts.summary.startsWith(QStringLiteral("Импортировано: 2, отклонено: 1."))) << prompts.summary.toStdString();
    EXPECT_TRUE(prompts.summary.contains(QStringLiteral("std1-fid.cdf+std1-tcd.cdf: анализ 1, канал 1: 2 пик. (таблица пиков), канал 2: 2 пик. (таблица пиков)")))
        << prompts.summary.toStdString();
    // The importer's reason in the host's language.
    EXPECT_TRUE(prompts.summary.contains(QStringLiteral("readme.cdf: не файл netCDF"))) << prompts.summary.toStdString();

    AssayDialog dialog(database);
    EXPECT_EQ(dialog.rowCount(), 2);
    const std::vector<AssayCatalogEntry> entries = AssayCatalog::read(database);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_TRUE(entries[0].isCalibration);
    EXPECT_EQ(entries[0].mixture, QStringLiteral("Смесь 1"));
    EXPECT_EQ(entries[1].sample, QStringLiteral("Std 2"));
    dialog.show();
    dialog.grab().save(QStringLiteral(VEXOL_BUILD_DIR "/andi-import-assay-dialog.png"));

    // Cancelling the options dialog imports nothing.
    prompts.cancelOptions = true;
    prompts.screenshotFolder.clear();
    item->trigger();
    EXPECT_EQ(prompts.summaries, 1);
    EXPECT_EQ(AssayCatalog::read(database).size(), 2u);
}

TEST(AndiImportMenu, EnglishHostAndAHostWithoutDatabase)
{
    const std::string folder = testFolder("minihost-english");
    QMainWindow window;
    ScriptedPrompts prompts;
    prompts.files = {QString::fromStdString(runFile("S", "FID").write(folder + "/a.cdf"))};
    QAction* item = installAndiImportMenu(window, {QString(), 1033}, prompts);
    ASSERT_EQ(item, importItem(window, QStringLiteral("Data")));
    EXPECT_EQ(item->text(), QStringLiteral("Import AIA/ANDI…"));
    item->trigger();
    EXPECT_TRUE(prompts.failed);
    EXPECT_EQ(prompts.summary, QStringLiteral("The host has no database (option --db)."));

    // A database path that cannot be a database: one message, nothing else happens.
    QDir().mkpath(QString::fromStdString(folder + "/folder.db"));
    QMainWindow second;
    ScriptedPrompts secondPrompts;
    secondPrompts.files = prompts.files;
    QAction* secondItem = installAndiImportMenu(second, {QString::fromStdString(folder + "/folder.db"), 1033}, secondPrompts);
    secondItem->trigger();
    EXPECT_TRUE(secondPrompts.failed);
    EXPECT_TRUE(secondPrompts.summary.startsWith(QStringLiteral("The database "))) << secondPrompts.summary.toStdString();
}

// "--trigger" reaches the item by its menu texts, though "AIA/ANDI" holds the path separator.
TEST(AndiImportMenu, ATriggerPathEscapesTheSlashInAMenuText)
{
    const struct {
        const char16_t* path;
        QStringList parts;
    } cases[] = {
        {u"Данные/Расчёты/Dvinar", {QString::fromUtf16(u"Данные"), QString::fromUtf16(u"Расчёты"), QString::fromUtf16(u"Dvinar")}},
        {u"Data/Import AIA\\/ANDI…", {QString::fromUtf16(u"Data"), QString::fromUtf16(u"Import AIA/ANDI…")}},
        {u"a\\\\/b", {QString::fromUtf16(u"a\\"), QString::fromUtf16(u"b")}},
        {u"a\\b/c\\", {QString::fromUtf16(u"a\\b"), QString::fromUtf16(u"c\\")}},
        {u"/x//", {QString::fromUtf16(u""), QString::fromUtf16(u"x"), QString::fromUtf16(u""), QString::fromUtf16(u"")}},
        {u"", {QString::fromUtf16(u"")}},
    };
    for (const auto& c : cases) {
        const QString path = QString::fromUtf16(c.path);
        EXPECT_EQ(menupath::split(path), c.parts) << path.toStdString();
    }
    for (const QString& text : {QString::fromUtf16(u"Import AIA/ANDI…"), QString::fromUtf16(u"back\\slash/"), QString::fromUtf16(u"plain")})
        EXPECT_EQ(menupath::split(QString::fromUtf16(u"Menu/") + menupath::escape(text)), (QStringList{QString::fromUtf16(u"Menu"), text})) << text.toStdString();

    QMainWindow window;
    ScriptedPrompts prompts;
    QAction* item = installAndiImportMenu(window, {QString(), 1049}, prompts);
    EXPECT_EQ(menupath::find(window.menuBar(), QString::fromUtf16(u"Данные/Импорт AIA\\/ANDI…")), item);
    EXPECT_EQ(menupath::find(window.menuBar(), QString::fromUtf16(u"Данные/Импорт AIA/ANDI…")), nullptr) << "an unescaped slash splits the text";
    EXPECT_EQ(menupath::find(window.menuBar(), QString::fromUtf16(u"Данные")), nullptr) << "a menu is no item";
    EXPECT_EQ(menupath::find(window.menuBar(), QString::fromUtf16(u"Данные/Импорт AIA\\/ANDI…/more")), nullptr);
}

} // namespace
