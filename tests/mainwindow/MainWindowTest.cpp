// The main window of the real libvexol.so in a host of the test's own, with the built-in demo:
// what the list, the buttons and the five tabs show and do, closing and reopening, placement and
// resizing, and the dialogs that lead to a recalculation.
#include "DemoMethod.h"
#include "MainWindowDriver.h"
#include "PluginHost.h"

#include "input/AssayRecord.h"
#include "input/CVantrelFile4.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QImage>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScreen>
#include <QStandardPaths>
#include <QTabBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>

using namespace driver;

// Takes the files the desktop would open, in place of the desktop.
class DesktopOpener : public QObject {
    Q_OBJECT
public:
    DesktopOpener() { QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "open"); }
    ~DesktopOpener() override { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }
    QStringList opened;

public slots:
    void open(const QUrl& url) { opened << url.toLocalFile(); }
};


namespace {

const std::u16string kUnitMode = u"plugins\\vexol\\Settings/unitMode";
const std::u16string kDevControl = u"plugins\\vexol\\Settings/devControl";
const std::u16string kHideNotFound = u"plugins\\vexol\\Settings/hideNotFound";
const std::u16string kRight = u"plugins\\vexol\\/WindowRect_btx";
const std::u16string kBottom = u"plugins\\vexol\\/WindowRect_bty";
const std::u16string kLeft = u"plugins\\vexol\\/WindowRect_tlx";
const std::u16string kTop = u"plugins\\vexol\\/WindowRect_tly";

constexpr int kDemoAssays = 8;
constexpr int kCommandButtons[] = {1001, 1002, 1003, 1004, 1007, 1005, 1006, 1008, 1009};
constexpr int kCalibrationRow = 0;
constexpr int kAnalysisRow = 6;

int tableCompounds()
{
    int count = 0;
    for (const DemoCompound& compound : DemoMethod::compounds())
        count += compound.inTable ? 1 : 0;
    return count;
}

QString sourcePath(const QString& relative)
{
    return QDir::cleanPath(QStringLiteral(VEXOL_TEST_DATA_DIR "/../../") + relative);
}

QString readText(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QString demoPath(const QTemporaryDir& demo, const std::u16string& run)
{
    return demo.filePath(QStringLiteral("chromatograms/") + QString::fromStdU16String(run));
}

class MainWindow : public ::testing::Test {
protected:
    // Writes the demo, installs its public folder and loads the plug-in in `language`.
    void start(int language)
    {
        static bool loadedBefore = false;
        ASSERT_FALSE(loadedBefore) << "the plug-in keeps its window for the life of the process: run one test per "
                                      "process (ctest does)";
        loadedBefore = true;
        ASSERT_TRUE(demo.isValid());
        QProcess generator;
        generator.start(QStringLiteral(VEXOL_BIN_DIR "/vexol-demo-data"), {demo.path()});
        ASSERT_TRUE(generator.waitForFinished(120000));
        ASSERT_EQ(generator.exitCode(), 0) << generator.readAllStandardError().toStdString();
        qputenv("VANTREL_PUBLIC_DOCUMENTS", demo.filePath(QStringLiteral("public")).toUtf8());
        // The demo's own settings: windows in percent, deviation control on.
        host.profile[kUnitMode] = 0;
        host.profile[kDevControl] = 1;
        ASSERT_TRUE(host.start(language, demo.filePath(QStringLiteral("vantrel.db")))) << host.error().toStdString();
        host.chooseMenuItem();
        window = host.mainWindow();
        ASSERT_NE(window, nullptr);
    }

    void addDemo()
    {
        host.chosenIds.clear();
        for (int id = 1; id <= kDemoAssays; ++id)
            host.chosenIds.push_back(id);
        click(window, 1001);
    }

    int pipelineRuns() const { return host.readsOf(kUnitMode); }

    QTableView* channel1() const { return list(page(window, 115), 1014); }
    QTableView* channel2() const { return list(page(window, 115), 1013); }
    QTableView* identification() const { return list(page(window, 102), 1027); }
    QTableView* concentrations() const { return list(page(window, 138), 1027); }

    // The peak table of a demo chromatogram's channel, as the file holds it.
    PeakList filePeaks(int run, int channel) const
    {
        CVantrelFile4 file;
        EXPECT_EQ(file.load(demoPath(demo, DemoMethod::runs()[run].fileName).toStdU16String()), 0);
        for (const Channel& c : file.channels)
            if (c.number == channel)
                return c.peaks;
        return {};
    }

    QTemporaryDir demo;
    PluginHost host;
    QDialog* window = nullptr;
};

TEST_F(MainWindow, OpensWithTitleIconsButtonsColumnsAndTabs)
{
    start(1049);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Dvinar , ver.  1.0.0.0"));
    EXPECT_FALSE(window->windowIcon().isNull());
    // The minimum holds for the outer frame, not the client area.
    const QSize frame = window->frameGeometry().size() - window->size();
    EXPECT_EQ(window->minimumSize() + frame, QSize(975, 520));
    const QSize shown = window->size();
    window->resize(400, 300);
    EXPECT_EQ(window->frameGeometry().size(), QSize(975, 520));
    window->resize(shown);

    const std::pair<int, const char*> buttons[] = {
        {1001, "Добавить хроматограммы"}, {1002, "Удалить хроматограмму"}, {1003, "Удалить все хроматограммы"},
        {1004, "Открыть хроматограмму"},  {1007, "Компоненты"},            {1005, "Отчет"},
        {1006, "Сохранить отчет"},        {1008, "Настройки"},             {1009, "О плагине"}};
    for (const auto& [id, tooltip] : buttons) {
        auto* button = qobject_cast<QPushButton*>(control(window, id));
        ASSERT_NE(button, nullptr) << id;
        EXPECT_EQ(button->toolTip(), QString::fromUtf8(tooltip)) << id;
        EXPECT_FALSE(button->icon().isNull()) << id;
        EXPECT_TRUE(button->text().isEmpty()) << id;
        EXPECT_EQ(button->iconSize(), QSize(16, 16)) << id;
    }
    // Each button shows its own image, drawn for 16 x 16.
    const std::pair<int, const char*> images[] = {
        {1001, "108_add_chromatograms"}, {1002, "109_remove_chromatogram"}, {1003, "110_remove_all"},
        {1004, "111_open_chromatogram"}, {1007, "105_components"},         {1005, "112_report"},
        {1006, "106_save_report"},       {1008, "113_settings"},           {1009, "107_about"}};
    for (const auto& [id, file] : images) {
        const QImage expected(sourcePath(QStringLiteral("plugin/resources/icons/%1.png").arg(QLatin1String(file))));
        ASSERT_FALSE(expected.isNull()) << file;
        const QImage shown = qobject_cast<QPushButton*>(control(window, id))->icon().pixmap(QSize(16, 16), 1.0).toImage();
        EXPECT_EQ(shown.convertToFormat(QImage::Format_ARGB32), expected.convertToFormat(QImage::Format_ARGB32)) << id;
    }
    EXPECT_TRUE(window->testAttribute(Qt::WA_AlwaysShowToolTips));
    EXPECT_EQ(qobject_cast<QPushButton*>(control(window, 2))->text(), QStringLiteral("Закрыть"));

    QTableView* assays = assayList(window);
    ASSERT_NE(assays, nullptr);
    EXPECT_EQ(titles(assays), (QStringList {QStringLiteral("№"), QStringLiteral("Имя файла"), QStringLiteral("Проба"),
                                           QStringLiteral("Смесь"), QStringLiteral("Тип хроматограммы")}));
    const int widths[] = {40, 280, 130, 130, 150};
    for (int c = 0; c < 5; ++c)
        EXPECT_EQ(assays->columnWidth(c), widths[c]) << c;
    EXPECT_EQ(assays->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(assays->selectionMode(), QAbstractItemView::ExtendedSelection);
    EXPECT_EQ(assays->editTriggers(), QAbstractItemView::NoEditTriggers);

    auto* bar = tabControl(window)->findChild<QTabBar*>();
    ASSERT_NE(bar, nullptr);
    QStringList captions;
    for (int i = 0; i < bar->count(); ++i)
        captions << bar->tabText(i);
    EXPECT_EQ(captions, (QStringList {QStringLiteral("Инф. с хром."), QStringLiteral("Идентификация"),
                                     QStringLiteral("Градуировка"), QStringLiteral("Расчет"), QStringLiteral("Сообщения")}));
    const int templates[] = {115, 102, 134, 138, 136};
    for (int i = 0; i < 5; ++i) {
        ASSERT_NE(page(window, templates[i]), nullptr) << templates[i];
        EXPECT_EQ(page(window, templates[i])->isVisible(), i == 0) << templates[i];
    }
    // The tab pages' own columns.
    EXPECT_EQ(titles(channel1()), (QStringList {QStringLiteral("№"), QStringLiteral("Компонент"),
                                               QStringLiteral("Площадь пика"), QStringLiteral("Время выхода")}));
    EXPECT_EQ(titles(channel2()), titles(channel1()));
    EXPECT_EQ(titles(concentrations()), (QStringList {QStringLiteral("№"), QStringLiteral("Компонент"),
                                                     QStringLiteral("Статус"), QStringLiteral("Концентрация, мг/дм3")}));
    EXPECT_EQ(titles(identification()).size(), 8);

    // Selecting another tab shows its page only.
    selectTab(window, 4);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(page(window, templates[i])->isVisible(), i == 4) << templates[i];

    // The first pipeline ran over the empty workspace.
    EXPECT_EQ(lines(messages(window)),
              (QStringList {QStringLiteral("Ошибки:"),
                            QStringLiteral("    1. Для градуировки требуется не менее 2 градуировочных хроматограмм, загружено 0."),
                            QStringLiteral("    2. Для расчета требуется 2 аналитические хроматограммы, загружено 0."),
                            QStringLiteral("Предупреждения:"),
                            QStringLiteral("    3. Нет градуировочных хроматограмм для расчета эталонного времени.")}));
}

TEST_F(MainWindow, AddsTheDemoAndShowsItsResults)
{
    start(1049);
    addDemo();
    QTableView* assays = assayList(window);
    ASSERT_EQ(assays->model()->rowCount(), kDemoAssays);
    for (int r = 0; r < kDemoAssays; ++r) {
        const DemoRun& run = DemoMethod::runs()[r];
        EXPECT_EQ(row(assays, r),
                  (QStringList {QString::number(r + 1), QString::fromStdU16String(run.fileName),
                                QString::fromStdU16String(run.sample), QString::fromStdU16String(run.mixture),
                                run.calibration ? QStringLiteral("Градуировка") : QStringLiteral("Анализ")}))
            << r;
    }
    // After adding, nothing is selected and the per-assay tabs are empty.
    EXPECT_TRUE(selectedRows(assays).isEmpty());
    EXPECT_EQ(channel1()->model()->rowCount(), 0);
    EXPECT_EQ(channel2()->model()->rowCount(), 0);
    EXPECT_EQ(identification()->model()->rowCount(), 0);

    // The concentrations of the sample: every compound of the table, in table order.
    QTableView* results = concentrations();
    ASSERT_EQ(results->model()->rowCount(), tableCompounds());
    const QRegularExpression number(QStringLiteral("^\\d+\\.\\d{3}$"));
    int r = 0;
    for (const DemoCompound& compound : DemoMethod::compounds()) {
        if (!compound.inTable)
            continue;
        const QStringList cells = row(results, r);
        EXPECT_EQ(cells[0], QString::number(r + 1));
        EXPECT_EQ(cells[1], QString::fromStdU16String(compound.name));
        if (compound.sample > 0) {
            EXPECT_EQ(cells[2], QStringLiteral("Идентифицирован")) << r;
            EXPECT_TRUE(number.match(cells[3]).hasMatch()) << cells[3].toStdString();
            EXPECT_NEAR(cells[3].toDouble(), compound.sample, compound.sample * 0.2) << r;
        } else {
            EXPECT_EQ(cells[2], QStringLiteral("Не подтверждён")) << r;
            EXPECT_EQ(cells[3], QStringLiteral("не обнаружено")) << r;
        }
        ++r;
    }

    // The demo's deliberate faults are warnings, numbered from 1 without a gap.
    const QStringList shown = lines(messages(window));
    ASSERT_FALSE(shown.isEmpty());
    EXPECT_EQ(shown.front(), QStringLiteral("Предупреждения:"));
    for (int i = 1; i < shown.size(); ++i)
        EXPECT_TRUE(shown[i].startsWith(QStringLiteral("    %1. ").arg(i))) << shown[i].toStdString();

    // The same ids again add nothing.
    addDemo();
    EXPECT_EQ(assays->model()->rowCount(), kDemoAssays);
}

TEST_F(MainWindow, SelectedRowFillsThePerAssayTabs)
{
    start(1049);
    addDemo();
    QTableView* assays = assayList(window);

    clickRow(assays, kCalibrationRow);
    const PeakList peaks1 = filePeaks(kCalibrationRow, 1);
    const PeakList peaks2 = filePeaks(kCalibrationRow, 2);
    ASSERT_FALSE(peaks1.empty());
    ASSERT_EQ(channel1()->model()->rowCount(), static_cast<int>(peaks1.size()));
    ASSERT_EQ(channel2()->model()->rowCount(), static_cast<int>(peaks2.size()));
    for (std::size_t i = 0; i < peaks1.size(); ++i) {
        const QStringList cells = row(channel1(), static_cast<int>(i));
        EXPECT_EQ(cells[0], QString::number(i + 1));
        EXPECT_EQ(cells[1], QString::fromStdU16String(peaks1[i].name));
        EXPECT_EQ(cells[2], QString::number(peaks1[i].area, 'f', 1));
        EXPECT_EQ(cells[3], QString::number(peaks1[i].time, 'f', 3));
    }
    ASSERT_EQ(identification()->model()->rowCount(), tableCompounds());
    EXPECT_EQ(titles(identification())[3], QStringLiteral("Время канал 1 град"));
    EXPECT_EQ(titles(identification())[5], QStringLiteral("Время канал 2 град"));
    const QStringList first = row(identification(), 0);
    EXPECT_EQ(first[1], QString::fromStdU16String(DemoMethod::compounds()[0].name));
    EXPECT_TRUE(first[2] == QStringLiteral("---") || first[2].contains(u'.'));
    EXPECT_TRUE(first[7] == QStringLiteral("Идентифицирован") || first[7] == QStringLiteral("Не подтверждён"));

    // An analysis chromatogram has no identification.
    clickRow(assays, kAnalysisRow);
    EXPECT_EQ(identification()->model()->rowCount(), 0);
    EXPECT_EQ(channel1()->model()->rowCount(), static_cast<int>(filePeaks(kAnalysisRow, 1).size()));
    EXPECT_GT(channel1()->model()->rowCount(), 0);
}

TEST_F(MainWindow, ShiftRangeRunsThePipelineOncePerNewRow)
{
    start(1049);
    addDemo();
    QTableView* assays = assayList(window);
    clickRow(assays, 0);
    const int before = pipelineRuns();
    clickRow(assays, 3, Qt::ShiftModifier);
    EXPECT_EQ(selectedRows(assays), (QStringList {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"),
                                                 QStringLiteral("4")}));
    EXPECT_EQ(pipelineRuns() - before, 3);
    // The per-assay tabs end with the last row that became selected.
    EXPECT_EQ(channel1()->model()->rowCount(), static_cast<int>(filePeaks(3, 1).size()));
    EXPECT_EQ(column(channel1(), 3), [&] {
        QStringList times;
        for (const Peak& p : filePeaks(3, 1))
            times << QString::number(p.time, 'f', 3);
        return times;
    }());

    // Deselecting runs nothing, and the tabs keep what they show.
    const QStringList shown = column(channel1(), 1);
    const int beforeDeselect = pipelineRuns();
    clickRow(assays, 2, Qt::ControlModifier);
    EXPECT_EQ(selectedRows(assays).size(), 3);
    EXPECT_EQ(pipelineRuns(), beforeDeselect);
    EXPECT_EQ(column(channel1(), 1), shown);
}

TEST_F(MainWindow, RemovesSelectedRowsRenumbersAndRemovesAll)
{
    start(1049);
    addDemo();
    QTableView* assays = assayList(window);

    // Nothing selected: nothing happens.
    const int idle = pipelineRuns();
    click(window, 1002);
    EXPECT_EQ(assays->model()->rowCount(), kDemoAssays);
    EXPECT_EQ(pipelineRuns(), idle);

    clickRow(assays, 1);
    clickRow(assays, 6, Qt::ControlModifier);
    ASSERT_EQ(selectedRows(assays).size(), 2);
    click(window, 1002);
    ASSERT_EQ(assays->model()->rowCount(), kDemoAssays - 2);
    QStringList numbers, names = column(assays, 1);
    for (int r = 0; r < assays->model()->rowCount(); ++r)
        numbers << QString::number(r + 1);
    EXPECT_EQ(column(assays, 0), numbers);
    names.sort();
    QStringList expected;
    for (int r = 0; r < kDemoAssays; ++r)
        if (r != 1 && r != 6)
            expected << QString::fromStdU16String(DemoMethod::runs()[r].fileName);
    expected.sort();
    EXPECT_EQ(names, expected);
    EXPECT_EQ(channel1()->model()->rowCount(), 0);
    EXPECT_EQ(identification()->model()->rowCount(), 0);
    // One analysis chromatogram left: the quantitation error is back.
    EXPECT_TRUE(lines(messages(window)).join(u'\n').contains(QStringLiteral("загружено 1.")));

    // Opening asks the host for the selected rows' files.
    clickRow(assays, 0);
    click(window, 1004);
    ASSERT_EQ(host.openedFiles.size(), 1u);
    EXPECT_TRUE(QString::fromStdU16String(host.openedFiles[0]).endsWith(cellText(assays, 0, 1)));

    click(window, 1003);
    EXPECT_EQ(assays->model()->rowCount(), 0);
    EXPECT_EQ(channel1()->model()->rowCount(), 0);
    EXPECT_EQ(lines(messages(window)).size(), 5);
}

TEST_F(MainWindow, ClosingHidesAndSavesThePositionReopeningKeepsEverything)
{
    start(1049);
    addDemo();
    window->move(37, 29);
    window->resize(1010, 560);
    const QRect placed = window->frameGeometry();
    click(window, 2);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(host.profile[kLeft], placed.left());
    EXPECT_EQ(host.profile[kTop], placed.top());
    EXPECT_EQ(host.profile[kRight], placed.left() + placed.width());
    EXPECT_EQ(host.profile[kBottom], placed.top() + placed.height());
    ASSERT_EQ(host.profileWrites.size(), 4u);
    EXPECT_EQ(host.profileWrites[0].first, kRight);
    EXPECT_EQ(host.profileWrites[3].first, kTop);

    host.chooseMenuItem();
    EXPECT_EQ(host.mainWindow(), window);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->frameGeometry(), placed);
    EXPECT_EQ(assayList(window)->model()->rowCount(), kDemoAssays);
    EXPECT_EQ(concentrations()->model()->rowCount(), tableCompounds());

    // Enter with no button focused ends the dialog as OK does: hidden, the position not saved.
    host.profileWrites.clear();
    assayList(window)->setFocus();
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(assayList(window), &enter);
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(host.profileWrites.empty());

    // The caption's close box saves like "Закрыть".
    host.chooseMenuItem();
    ASSERT_TRUE(window->isVisible());
    window->close();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(host.profileWrites.size(), 4u);
    EXPECT_EQ(assayList(window)->model()->rowCount(), kDemoAssays);
}

TEST_F(MainWindow, OpensWhereItWasStored)
{
    host.profile[kLeft] = 20;
    host.profile[kTop] = 10;
    host.profile[kRight] = 1020;
    host.profile[kBottom] = 570;
    start(1049);
    EXPECT_EQ(window->frameGeometry(), QRect(20, 10, 1000, 560));
}

TEST_F(MainWindow, PositionOffEveryMonitorGoesToThePrimaryWorkArea)
{
    host.profile[kLeft] = 50000;
    host.profile[kTop] = 50000;
    host.profile[kRight] = 51000;
    host.profile[kBottom] = 50600;
    start(1049);
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(window->frameGeometry().topLeft(), area.topLeft());
}

TEST_F(MainWindow, EveryPageFillsItsRectangleAfterAResize)
{
    start(1049);
    addDemo();
    window->resize(1000, 560);
    QWidget* tabs = tabControl(window);
    QTableView* assays = assayList(window);
    QWidget* close = control(window, 2);
    const QRect tabsBefore = tabs->geometry(), listBefore = assays->geometry(), closeBefore = close->geometry();
    std::vector<QRect> buttonsBefore;
    for (int id : kCommandButtons)
        buttonsBefore.push_back(control(window, id)->geometry());

    window->resize(1400, 900);
    const QSize delta(400, 340);
    EXPECT_EQ(assays->geometry(), QRect(listBefore.topLeft(), listBefore.size() + QSize(delta.width(), delta.height() / 2)));
    EXPECT_EQ(tabs->geometry(), QRect(tabsBefore.topLeft() + QPoint(0, delta.height() / 2),
                                      tabsBefore.size() + QSize(delta.width(), delta.height() / 2)));
    EXPECT_EQ(close->geometry(), closeBefore.translated(delta.width(), delta.height()));
    // The command buttons keep their place and size.
    for (std::size_t i = 0; i < std::size(kCommandButtons); ++i)
        EXPECT_EQ(control(window, kCommandButtons[i])->geometry(), buttonsBefore[i]) << kCommandButtons[i];

    const QRect area = tabs->rect().adjusted(1, 22, -4, -2);
    for (int templateId : {115, 102, 134, 138, 136})
        EXPECT_EQ(page(window, templateId)->geometry(), area) << templateId;
    // The lists inside the pages follow their page.
    QWidget* messagesPage = page(window, 136);
    EXPECT_GT(messages(window)->width(), messagesPage->width() - 40);
    EXPECT_GT(concentrations()->height(), page(window, 138)->height() - 40);
    // The two channel lists share the page's widening and never overlap.
    EXPECT_LT(channel1()->geometry().right(), channel2()->geometry().left());
    EXPECT_GT(channel2()->geometry().right(), page(window, 115)->width() - 40);
}

TEST_F(MainWindow, SettingsAndComponentsRecalculateWhateverTheResultAboutDoesNot)
{
    start(1049);
    host.profile[kUnitMode] = 7;
    host.profile[kDevControl] = 5;

    bool neitherMarked = false;
    answerNextModal([&](QWidget* dialog) {
        auto* percent = dialog->findChild<QRadioButton*>(QStringLiteral("1019"));
        auto* minutes = dialog->findChild<QRadioButton*>(QStringLiteral("1020"));
        neitherMarked = percent && minutes && !percent->isChecked() && !minutes->isChecked();
        click(dialog, 1);
    });
    host.profileWrites.clear();
    int before = pipelineRuns();
    click(window, 1008);
    EXPECT_TRUE(neitherMarked);
    ASSERT_EQ(host.profileWrites.size(), 3u);
    EXPECT_EQ(host.profileWrites[0], std::make_pair(kUnitMode, -1));
    EXPECT_EQ(host.profileWrites[1], std::make_pair(kDevControl, 1));
    EXPECT_EQ(host.profileWrites[2], std::make_pair(kHideNotFound, 0));
    // One read by the dialog, one by the recalculation after it.
    EXPECT_EQ(pipelineRuns() - before, 2);

    answerNextModal([](QWidget* dialog) { click(dialog, 2); });
    host.profileWrites.clear();
    before = pipelineRuns();
    click(window, 1008);
    EXPECT_TRUE(host.profileWrites.empty());
    EXPECT_EQ(pipelineRuns() - before, 2);

    // The components dialog reads the settings for its columns; the recalculation follows.
    bool componentsOwned = false;
    answerNextModal([&](QWidget* dialog) {
        componentsOwned = dialog->parentWidget() == window;
        static_cast<QDialog*>(dialog)->reject();
    });
    before = pipelineRuns();
    click(window, 1007);
    EXPECT_TRUE(componentsOwned);
    EXPECT_EQ(pipelineRuns() - before, 2);

    bool aboutOwned = true;
    answerNextModal([&](QWidget* dialog) {
        aboutOwned = dialog->parentWidget() != nullptr;
        click(dialog, 1);
    });
    before = pipelineRuns();
    click(window, 1009);
    EXPECT_FALSE(aboutOwned);
    EXPECT_EQ(pipelineRuns(), before);
}

TEST_F(MainWindow, ReportButtonsOpenAndSaveTheReportListingChromatogramsInTheOrderOfAddition)
{
    start(1049);
    const QString templateFolder = demo.filePath(QStringLiteral("public/Vantrel4/Templates/vexol"));
    ASSERT_TRUE(QDir().mkpath(templateFolder));
    ASSERT_TRUE(QFile::copy(sourcePath(QStringLiteral("data/Report.xsl")), templateFolder + QStringLiteral("/Report.xsl")));
    // Added in an order of the analyst's own: the report follows it, as the list does.
    const std::vector<int32_t> order {5, 1, 8, 2, 7, 3, 6, 4};
    host.chosenIds = order;
    click(window, 1001);
    ASSERT_EQ(assayList(window)->model()->rowCount(), kDemoAssays);

    DesktopOpener desktop;
    click(window, 1005);
    ASSERT_EQ(desktop.opened.size(), 1);
    const QString report = readText(desktop.opened[0]);
    EXPECT_TRUE(desktop.opened[0].endsWith(QStringLiteral(".tmp.html"))) << desktop.opened[0].toStdString();
    qsizetype previous = -1;
    for (int i = 0; i < kDemoAssays; ++i) {
        const QString name = QString::fromStdU16String(DemoMethod::runs()[order[i] - 1].fileName);
        EXPECT_EQ(cellText(assayList(window), i, 1), name) << i;
        const qsizetype at = report.indexOf(name);
        EXPECT_GT(at, previous) << name.toStdString() << " out of the order of addition";
        previous = at;
    }

    // "Сохранить отчет": the save dialog is answered with a path of the test's own.
    const QString saved = demo.filePath(QStringLiteral("saved report.html"));
    QString suggested;
    answerNextModal([&](QWidget* dialog) {
        auto* files = qobject_cast<QFileDialog*>(dialog);
        if (!files) {
            static_cast<QDialog*>(dialog)->reject();
            return;
        }
        suggested = files->selectedFiles().value(0);
        files->selectFile(saved);
        static_cast<QDialog*>(files)->accept();
    });
    click(window, 1006);
    EXPECT_TRUE(QFileInfo(suggested).fileName().endsWith(QStringLiteral(".html"))) << suggested.toStdString();
    const QString copy = readText(saved);
    ASSERT_FALSE(copy.isEmpty()) << "nothing saved at " << saved.toStdString();
    for (int i = 0; i < kDemoAssays; ++i)
        EXPECT_TRUE(copy.contains(QString::fromStdU16String(DemoMethod::runs()[i].fileName))) << i;
    EXPECT_EQ(desktop.opened.size(), 1) << "saving opens nothing";
}

TEST_F(MainWindow, LayoutPassesComeBackToTheTemplatesPlaces)
{
    // Growing and shrinking by odd steps and back again leaves every control where it was: the
    // passes place from the starting geometry, they do not add up their roundings.
    start(1049);
    window->resize(1000, 560);
    std::vector<std::pair<QWidget*, QRect>> before;
    for (QWidget* child : window->findChildren<QWidget*>())
        if (child->isVisible())
            before.emplace_back(child, child->geometry());
    for (QSize size : {QSize(1001, 561), QSize(1333, 777), QSize(1017, 603), QSize(1999, 1001), QSize(1000, 560)})
        window->resize(size);
    for (const auto& [child, geometry] : before)
        EXPECT_EQ(child->geometry(), geometry) << child->objectName().toStdString();
}

TEST_F(MainWindow, EscapeClosesLikeTheCloseButton)
{
    start(1049);
    window->move(41, 33);
    const QRect placed = window->frameGeometry();
    host.profileWrites.clear();
    assayList(window)->setFocus();
    QTest::keyClick(assayList(window), Qt::Key_Escape);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(host.profileWrites.size(), 4u);
    EXPECT_EQ(host.profile[kLeft], placed.left());
    EXPECT_EQ(host.profile[kTop], placed.top());
}

// What the window asks of the window manager shows only on a real X server. The test below
// starts Xvfb and runs this one in a child on it.
TEST_F(MainWindow, OnTheDisplayTheBorderIsFixed)
{
    if (!qEnvironmentVariableIsSet("VEXOL_ON_DISPLAY"))
        GTEST_SKIP() << "runs on an X server started by MainWindowOnX";
    start(1049);
    QApplication::processEvents();

    QProcess xprop;
    xprop.start(QStringLiteral("xprop"), {QStringLiteral("-id"), QString::number(window->winId()),
                                          QStringLiteral("_MOTIF_WM_HINTS")});
    ASSERT_TRUE(xprop.waitForFinished(10000));
    const QString hints = QString::fromUtf8(xprop.readAllStandardOutput());
    const QStringList fields = hints.section(QLatin1Char('='), 1).split(QLatin1Char(','));
    ASSERT_GE(fields.size(), 3) << hints.toStdString();
    bool ok = false;
    const unsigned functions = fields[1].trimmed().toUInt(&ok, 16);
    ASSERT_TRUE(ok) << hints.toStdString();
    EXPECT_EQ(functions & 0x1u, 0u) << "not every function";
    EXPECT_EQ(functions & 0x2u, 0u) << "no resizing by the border";
    EXPECT_NE(functions & 0x10u, 0u) << "maximising stays";
}

TEST(MainWindowOnX, ChildRunOnXvfb)
{
    if (qEnvironmentVariableIsSet("VEXOL_ON_DISPLAY"))
        GTEST_SKIP() << "this is the child";
    const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    if (xvfb.isEmpty() || QStandardPaths::findExecutable(QStringLiteral("xprop")).isEmpty())
        GTEST_SKIP() << "Xvfb or xprop is not installed";
    QProcess server;
    server.start(xvfb, {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"), QStringLiteral("0"),
                        QStringLiteral("1600x1200x24"), QStringLiteral("-nolisten"), QStringLiteral("tcp")});
    ASSERT_TRUE(server.waitForReadyRead(20000)) << "Xvfb did not start";
    const QString display = QStringLiteral(":") + QString::fromUtf8(server.readLine()).trimmed();

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), display);
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.insert(QStringLiteral("VEXOL_ON_DISPLAY"), QStringLiteral("1"));
    QProcess child;
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_filter=MainWindow.OnTheDisplayTheBorderIsFixed")});
    const bool finished = child.waitForFinished(120000);
    const QString output = QString::fromUtf8(child.readAll());
    server.kill();
    server.waitForFinished(5000);
    ASSERT_TRUE(finished);
    EXPECT_TRUE(output.contains(QStringLiteral("[  PASSED  ] 1 test."))) << output.toStdString();
}

// Pictures of every tab with the demo loaded and a calibration chromatogram selected, for
// looking at: <build>/screenshots/mainwindow/<language>_tab<index>.png.
void shootEveryTab(QDialog* window, const QString& language)
{
    const QString folder = QStringLiteral(VEXOL_BUILD_DIR "/screenshots/mainwindow");
    QDir().mkpath(folder);
    for (int index = 0; index < 5; ++index) {
        selectTab(window, index);
        QApplication::processEvents();
        const QString file = folder + QStringLiteral("/%1_tab%2.png").arg(language).arg(index);
        EXPECT_TRUE(window->grab().save(file, "PNG")) << file.toStdString();
    }
}

TEST_F(MainWindow, ScreenshotsRussian)
{
    start(1049);
    addDemo();
    clickRow(assayList(window), kCalibrationRow);
    ASSERT_GT(identification()->model()->rowCount(), 0);
    shootEveryTab(window, QStringLiteral("ru"));
}

TEST_F(MainWindow, ScreenshotsEnglish)
{
    start(1033);
    // The English library gives the windows' texts; the texts of the code stay Russian.
    EXPECT_EQ(tabControl(window)->findChild<QTabBar*>()->tabText(4), QStringLiteral("Messages"));
    EXPECT_NE(titles(assayList(window))[1], QStringLiteral("Имя файла"));
    addDemo();
    clickRow(assayList(window), kCalibrationRow);
    ASSERT_GT(identification()->model()->rowCount(), 0);
    EXPECT_TRUE(row(concentrations(), 0)[2] == QStringLiteral("Идентифицирован"));
    shootEveryTab(window, QStringLiteral("en"));
}

} // namespace

#include "MainWindowTest.moc"
