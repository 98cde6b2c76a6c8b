#include "report/ReportCommands.h"

#include "engine/MessageLog.h"
#include "report/HtmlReport.h"
#include "ReportTestSupport.h"

#include <regex>

namespace {

class ReportCommandsTest : public ::testing::Test {
protected:
    ReportCommandsTest()
    {
        assays[4].fileName = u"/data/a.stg";
        assays[9].fileName = u"/data/b.stg";
        assays[9].isCalibration = true;
        CalibrationRow line;
        line.name = u"Толуол";
        line.fitted = true;
        line.k1 = 0.01;
        result.calibration.push_back(line);
        log.addError(u"Загружено %d.", 1);
        setTheMessageLog(&log);
    }
    ~ReportCommandsTest() override { setTheMessageLog(nullptr); }

    std::filesystem::path onlyReportFile() const
    {
        std::vector<std::filesystem::path> reports;
        for (const auto& file : folders.tempFiles())
            if (file.extension() == ".html")
                reports.push_back(file);
        EXPECT_EQ(reports.size(), 1u);
        return reports.empty() ? std::filesystem::path() : reports[0];
    }

    ReportFolders folders;
    RecordingReportUserInterface ui;
    AssayMap assays;
    CalculationResult result;
    MessageLog log;
};

std::string withoutCreationDate(const std::string& html)
{
    return std::regex_replace(html, std::regex("Дата создания: <b>[^<]*</b>"), "");
}

} // namespace

TEST_F(ReportCommandsTest, SaveOffersTheDatedNameAndReplacesTheChosenFile)
{
    folders.installShippedTemplate();
    const std::filesystem::path target = folders.root / "Отчет.html";
    std::ofstream(target) << "an older report that is much longer than nothing at all";
    ui.saveAnswer = platform::utf8ToUtf16(target.string());

    saveReport(assays, result, false, ui);

    EXPECT_TRUE(ui.errors.empty()) << ui.errors[0];
    EXPECT_TRUE(ui.opened.empty());
    ASSERT_EQ(ui.saveRequests.size(), 1u);
    const SaveReportRequest& request = ui.saveRequests[0];
    EXPECT_TRUE(std::regex_match(platform::utf16ToUtf8(request.suggestedName),
                                 std::regex("Отчет_vexol_20[0-9]{2}-[01][0-9]-[0-3][0-9]\\.html")));
    EXPECT_EQ(platform::utf16ToUtf8(request.defaultExtension), "html");
    EXPECT_EQ(platform::utf16ToUtf8(request.filter), "HTML-файлы (*.html)|*.html|Все файлы (*.*)|*.*||");
    EXPECT_TRUE(request.overwritePrompt);
    EXPECT_EQ(ReportFolders::readFile(target), ReportFolders::readFile(onlyReportFile()));
}

TEST_F(ReportCommandsTest, CancelledSaveCopiesNothingAndSaysNothing)
{
    folders.installShippedTemplate();
    saveReport(assays, result, false, ui);
    EXPECT_EQ(ui.saveRequests.size(), 1u);
    EXPECT_TRUE(ui.errors.empty());
    EXPECT_EQ(folders.tempFiles().size(), 2u);  // the report and its placeholder stay
}

TEST_F(ReportCommandsTest, FailedCopyIsReported)
{
    folders.installShippedTemplate();
    ui.saveAnswer = platform::utf8ToUtf16((folders.root / "missing folder" / "r.html").string());
    saveReport(assays, result, false, ui);
    EXPECT_EQ(ui.errors, std::vector<std::string>{"Не удалось сохранить отчет."});
}

TEST_F(ReportCommandsTest, FailedReportOffersNoSaveDialog)
{
    saveReport(assays, result, false, ui);  // no template installed
    EXPECT_TRUE(ui.saveRequests.empty());
    EXPECT_EQ(ui.errors.size(), 1u);
}

TEST_F(ReportCommandsTest, ShowAndSaveGiveTheSameReportApartFromTheCreationTime)
{
    folders.installShippedTemplate();
    showReport(assays, result, false, ui);
    ASSERT_EQ(ui.opened.size(), 1u);
    const std::string shown = ReportFolders::readFile(ui.opened[0]);
    const std::filesystem::path target = folders.root / "saved.html";
    ui.saveAnswer = platform::utf8ToUtf16(target.string());
    saveReport(assays, result, false, ui);
    const std::string saved = ReportFolders::readFile(target);
    ASSERT_FALSE(shown.empty());
    EXPECT_NE(withoutCreationDate(shown), shown);  // the creation time was found and taken out
    EXPECT_EQ(withoutCreationDate(shown), withoutCreationDate(saved));
    EXPECT_TRUE(ui.errors.empty());
}

TEST(SuggestedReportFileName, DateOfTheMomentOrZeros)
{
    setenv("TZ", "UTC", 1);
    tzset();
    EXPECT_EQ(platform::utf16ToUtf8(suggestedReportFileName(1735689599)), "Отчет_vexol_2024-12-31.html");
    EXPECT_EQ(platform::utf16ToUtf8(suggestedReportFileName(INT64_MAX)), "Отчет_vexol_0000-00-00.html");
    unsetenv("TZ");
    tzset();
}
