// The host's assay dialog and chromatogram viewer, and the two commands that open them.
#include "AssayCatalog.h"
#include "AssayCommands.h"
#include "AssayDialog.h"
#include "ChromatogramViewer.h"
#include "HostAssayData.h"
#include "HostWindow.h"
#include "MessageBus.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QDir>
#include <QFileInfo>
#include <QPixmap>
#include <QProcess>
#include <QTemporaryDir>
#include <QTableWidget>
#include <QTimer>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>

namespace {

// Kept under the build folder for looking at.
void saveScreenshot(QWidget& widget, const QString& name)
{
    const QString folder = QStringLiteral(VEXOL_BUILD_DIR "/screenshots");
    QDir().mkpath(folder);
    widget.show();
    QApplication::processEvents();
    EXPECT_TRUE(widget.grab().save(folder + u'/' + name));
}

std::array<int32_t, 256> emptyIds()
{
    std::array<int32_t, 256> ids {};
    ids.fill(0);
    return ids;
}

intptr_t address(std::array<int32_t, 256>& ids)
{
    return reinterpret_cast<intptr_t>(ids.data());
}

// Every text a window shows of its own: its title, labels, buttons and table headers, and the
// cells of the columns it fills with words of its own.
QStringList ownTexts(QWidget& window, int wordColumn = -1)
{
    QStringList texts {window.windowTitle()};
    for (QLabel* label : window.findChildren<QLabel*>())
        texts << label->text();
    for (QAbstractButton* button : window.findChildren<QAbstractButton*>())
        if (!button->text().isEmpty())
            texts << button->text();
    for (QTableWidget* table : window.findChildren<QTableWidget*>()) {
        for (int column = 0; column < table->columnCount(); ++column)
            texts << table->horizontalHeaderItem(column)->text();
        for (int row = 0; wordColumn >= 0 && row < table->rowCount(); ++row)
            texts << table->item(row, wordColumn)->text();
    }
    return texts;
}

// Latin letters outside the data's own parts (paths and file names).
bool hasLatinLetters(QString text, const QStringList& dataParts)
{
    for (const QString& part : dataParts)
        text.remove(part);
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.isLetter() && c.unicode() < 0x80; });
}

bool hasCyrillicLetters(const QString& text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() >= 0x400 && c.unicode() < 0x500; });
}

} // namespace

TEST(AssayCatalog, ListsTheVisibleAssaysOnly)
{
    HostAssayData data;
    const int32_t a = data.addAssay(data.filePath(QStringLiteral("a.stg")), QStringLiteral("Проба 1"), true);
    data.addAssay(data.filePath(QStringLiteral("gone.stg")), QStringLiteral("x"), false, true, false);
    data.addAssay(data.filePath(QStringLiteral("hidden.stg")), QStringLiteral("x"), false, false, true);
    const int32_t b = data.addAssay(data.filePath(QStringLiteral("b.stg")), QStringLiteral("Проба 2"), false);

    QString error;
    const std::vector<AssayCatalogEntry> entries = AssayCatalog::read(data.databasePath(), &error);

    EXPECT_TRUE(error.isEmpty());
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].id, a);
    EXPECT_EQ(entries[0].sample, QStringLiteral("Проба 1"));
    EXPECT_TRUE(entries[0].isCalibration);
    EXPECT_EQ(entries[1].id, b);
    EXPECT_EQ(entries[1].fileName, data.filePath(QStringLiteral("b.stg")));
}

TEST(AssayCatalog, AMissingDatabaseIsReportedAndNotCreated)
{
    HostAssayData data;
    const QString absent = data.filePath(QStringLiteral("absent.db"));
    QString error;
    EXPECT_TRUE(AssayCatalog::read(absent, &error).empty());
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(absent));
}

TEST(AssayDialog, HandsBackTheSelectedRowsFromTheTop)
{
    HostAssayData data;
    const int32_t a = data.addAssay(data.writeChromatogram(QStringLiteral("cal-1.stg")), QStringLiteral("Стандарт 1 мг/дм3"), true);
    const int32_t b = data.addAssay(data.writeChromatogram(QStringLiteral("cal-2.stg")), QStringLiteral("Стандарт 2 мг/дм3"), true);
    const int32_t c = data.addAssay(data.writeChromatogram(QStringLiteral("water-17.stg")), QStringLiteral("Вода, скважина 17"), false);
    data.addAssay(data.filePath(QStringLiteral("deleted.stg")), QStringLiteral("удалена"), false, true);

    AssayDialog dialog(data.databasePath());
    EXPECT_EQ(dialog.rowCount(), 3);
    dialog.preselect({c, 999, a});
    EXPECT_EQ(dialog.chosenIds(), std::vector<int32_t>({a, c}));
    saveScreenshot(dialog, QStringLiteral("minihost_assay_dialog.png"));
    (void)b;
}

TEST(AssayCommands, TheScriptedChoiceIsWrittenAsGivenWithinTheRoom)
{
    MessageBus bus;
    AssayCommandOptions options;
    options.scriptedChoice = parseScriptedAssayChoice(QStringLiteral(" 5, 5,7 "));
    ASSERT_TRUE(options.scriptedChoice);
    serveAssayCommands(bus, nullptr, options);

    auto ids = emptyIds();
    EXPECT_EQ(bus.call("Main/OpenAssayIdDlg", 256, address(ids)), 3);
    EXPECT_EQ(ids[0], 5);
    EXPECT_EQ(ids[1], 5);
    EXPECT_EQ(ids[2], 7);
    EXPECT_EQ(ids[3], 0);

    auto small = emptyIds();
    small[2] = -1;  // beyond the room given
    EXPECT_EQ(bus.call("Main/OpenAssayIdDlg", 2, address(small)), 2);
    EXPECT_EQ(small[2], -1);

    EXPECT_EQ(bus.call("Main/OpenAssayIdDlg", 256, 0), 0);
}

TEST(AssayCommands, CancelAndNoneGiveTheHostsTwoEmptyAnswers)
{
    auto ids = emptyIds();
    for (const auto& [text, expected] : {std::pair {QStringLiteral("cancel"), intptr_t(0)},
                                         std::pair {QStringLiteral("none"), intptr_t(0x80000000LL)}}) {
        MessageBus bus;
        AssayCommandOptions options;
        options.scriptedChoice = parseScriptedAssayChoice(text);
        ASSERT_TRUE(options.scriptedChoice);
        serveAssayCommands(bus, nullptr, options);
        EXPECT_EQ(bus.call("Main/OpenAssayIdDlg", 256, address(ids)), expected);
    }
    EXPECT_EQ(ids[0], 0);
    EXPECT_FALSE(parseScriptedAssayChoice(QStringLiteral("3,x")));
}

TEST(AssayCommands, TheDialogAnswersWithTheRowsTheAnalystChose)
{
    HostAssayData data;
    const int32_t a = data.addAssay(data.writeChromatogram(QStringLiteral("a.stg")), QStringLiteral("1"), true);
    const int32_t b = data.addAssay(data.writeChromatogram(QStringLiteral("b.stg")), QStringLiteral("2"), false);
    MessageBus bus;
    AssayCommandOptions options;
    options.databasePath = data.databasePath();
    serveAssayCommands(bus, nullptr, options);

    // The analyst: picks rows in the dialog and presses OK, or cancels it.
    auto answer = [](bool ok, std::vector<int32_t> pick) {
        QTimer::singleShot(0, [ok, pick] {
            auto* dialog = dynamic_cast<AssayDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            dialog->preselect(pick);
            ok ? dialog->accept() : dialog->reject();
        });
    };
    auto ids = emptyIds();
    answer(true, {b, a});
    EXPECT_EQ(bus.call("Main/OpenAssayIdDlg", 256, address(ids)), 2);
    EXPECT_EQ(ids[0], a);
    EXPECT_EQ(ids[1], b);

    auto untouched = emptyIds();
    answer(false, {a});
    EXPECT_EQ(bus.call("Main/OpenAssayIdDlg", 256, address(untouched)), 0);
    EXPECT_EQ(untouched[0], 0);
}

TEST(ChromatogramViewer, ShowsBothChannelsAndTheirPeakTables)
{
    HostAssayData data;
    const QString path = data.writeChromatogram(QStringLiteral("water-17.stg"));

    ChromatogramViewer viewer(path);

    EXPECT_EQ(viewer.loadResult(), 0);
    EXPECT_EQ(viewer.channelCount(), 2);
    QTableWidget* table = viewer.peakTable();
    ASSERT_NE(table, nullptr);
    ASSERT_EQ(table->rowCount(), 6);
    EXPECT_EQ(table->item(0, 2)->text(), QStringLiteral("Бензол"));
    EXPECT_EQ(table->item(0, 3)->text(), QStringLiteral("2.100"));  // a point under any locale
    EXPECT_EQ(table->item(1, 4)->text(), QStringLiteral("980.3"));
    EXPECT_EQ(table->item(5, 0)->text(), QStringLiteral("2"));
    EXPECT_EQ(table->item(5, 2)->text(), QStringLiteral("Ксилол"));
    saveScreenshot(viewer, QStringLiteral("minihost_chromatogram_viewer.png"));
}

TEST(ChromatogramViewer, AFileThatCannotBeReadSaysSo)
{
    HostAssayData data;
    ChromatogramViewer viewer(data.filePath(QStringLiteral("absent.stg")));
    EXPECT_EQ(viewer.loadResult(), -1);
    EXPECT_EQ(viewer.peakTable(), nullptr);
}

TEST(AssayCommands, OpeningAFileShowsTheViewerInTheHostLanguage)
{
    HostAssayData data;
    const std::u16string path = data.writeChromatogram(QStringLiteral("shown.stg")).toStdU16String();
    for (const auto& [language, title] : {std::pair {1033, QStringLiteral("Chromatogram - shown.stg")},
                                          std::pair {1049, QStringLiteral("Хроматограмма - shown.stg")}}) {
        SCOPED_TRACE(language);
        MessageBus bus;
        AssayCommandOptions options;
        options.language = language;
        serveAssayCommands(bus, nullptr, options);

        EXPECT_EQ(bus.call("Main/OpenAssayFile", 1, reinterpret_cast<intptr_t>(path.c_str())), 1);

        ChromatogramViewer* shown = nullptr;
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (auto* viewer = dynamic_cast<ChromatogramViewer*>(widget); viewer && viewer->isVisible())
                shown = viewer;
        ASSERT_NE(shown, nullptr);
        EXPECT_EQ(shown->windowTitle(), title);
        EXPECT_EQ(shown->loadResult(), 0);
        shown->close();  // deletes itself
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

// A Russian host shows no English of its own in its windows, and an English host no Russian.
TEST(HostLanguage, TheDialogAndTheViewerSpeakTheHostLanguage)
{
    HostAssayData data;
    const QString chromatogram = data.writeChromatogram(QStringLiteral("cal-1.stg"));
    data.addAssay(chromatogram, QStringLiteral("1"), true);
    data.addAssay(data.writeChromatogram(QStringLiteral("water.stg")), QStringLiteral("2"), false);
    const QString unreadable = data.filePath(QStringLiteral("absent.stg"));
    const QStringList dataParts {data.databasePath(), chromatogram, unreadable, QStringLiteral("cal-1.stg"),
                                 QStringLiteral("absent.stg"), QStringLiteral("Vantrel"), QStringLiteral("minihost")};

    for (int language : {1049, 1033}) {
        SCOPED_TRACE(language);
        AssayDialog dialog(data.databasePath(), language);
        ChromatogramViewer viewer(chromatogram, language);
        ChromatogramViewer failed(unreadable, language);
        MessageBus bus;
        HostWindow window(bus, language);
        QStringList texts = ownTexts(dialog, 4) + ownTexts(viewer) + ownTexts(failed) + ownTexts(window);
        texts.removeAll(QString());
        ASSERT_GE(texts.size(), 20);
        for (const QString& text : texts) {
            if (language == 1049) {
                EXPECT_FALSE(hasLatinLetters(text, dataParts)) << text.toStdString();
            } else {
                EXPECT_FALSE(hasCyrillicLetters(text)) << text.toStdString();
            }
        }
        saveScreenshot(dialog, QStringLiteral("minihost_assay_dialog_%1.png").arg(language));
    }
}

TEST(AssayCommands, AScriptedChoiceThatIsNoListStopsTheHost)
{
    QTemporaryDir empty;
    QProcess host;
    host.setProcessEnvironment([] {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("MINIHOST_CHOOSE_ASSAYS"), QStringLiteral("3,five"));
        return environment;
    }());
    host.start(QStringLiteral(VEXOL_BIN_DIR "/minihost"),
               {QStringLiteral("--plugins"), empty.path(), QStringLiteral("--profile"),
                empty.filePath(QStringLiteral("profile.txt")), QStringLiteral("--quit")});
    ASSERT_TRUE(host.waitForFinished(60000));
    EXPECT_EQ(host.exitCode(), 1);
    EXPECT_TRUE(QString::fromUtf8(host.readAllStandardError()).contains(QStringLiteral("\"3,five\" is no list of assay ids")));
}
