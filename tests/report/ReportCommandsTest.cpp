#include "report/ReportCommands.h"

#include "engine/MessageLog.h"
#include "report/HtmlReport.h"
#include "ReportTestSupport.h"
#include "FileFaults.h"

#include <algorithm>
#include <cerrno>
#include <sys/stat.h>

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
    EXPECT_EQ(folders.tempFiles().size(), 1u);  // the report stays, without a placeholder
}

TEST_F(ReportCommandsTest, FailedCopyIsReported)
{
    folders.installShippedTemplate();
    ui.saveAnswer = platform::utf8ToUtf16((folders.root / "missing folder" / "r.html").string());
    saveReport(assays, result, false, ui);
    EXPECT_EQ(ui.errors, std::vector<std::string>{"Не удалось сохранить отчет."});
}

// Answers the save dialog with the temporary report just made, by its own name or by a hard link
// made to it: what the analyst does when picking the file the browser shows.
class AnswersWithTheReportItself : public RecordingReportUserInterface {
public:
    AnswersWithTheReportItself(const ReportFolders& folders, bool byHardLink) : folders_(folders), byHardLink_(byHardLink) {}
    std::optional<std::u16string> askSavePath(const SaveReportRequest& request) override
    {
        saveRequests.push_back(request);
        const auto files = folders_.tempFiles();
        if (files.size() != 1)
            return std::nullopt;
        answered = files[0];
        if (byHardLink_) {
            answered = folders_.root / "link.html";
            std::filesystem::create_hard_link(files[0], answered);
        }
        contentBefore = ReportFolders::readFile(answered);
        return platform::utf8ToUtf16(answered.string());
    }
    std::filesystem::path answered;
    std::string contentBefore;

private:
    const ReportFolders& folders_;
    bool byHardLink_;
};

TEST_F(ReportCommandsTest, SaveOntoTheReportItselfOrAHardLinkOfItKeepsIt)
{
    folders.installShippedTemplate();
    for (bool byHardLink : {false, true}) {
        SCOPED_TRACE(byHardLink ? "hard link" : "same name");
        AnswersWithTheReportItself answering(folders, byHardLink);
        testing_support::FaultyCalls noRename;  // replacing the file would need a rename
        noRename.failing = testing_support::Op::Rename;
        noRename.failTimes = 1000;
        {
            platform::ScopedFileSystemCalls scope(noRename);
            saveReport(assays, result, false, answering);
        }
        ASSERT_EQ(answering.saveRequests.size(), 1u);
        EXPECT_TRUE(answering.errors.empty()) << answering.errors[0];
        ASSERT_FALSE(answering.contentBefore.empty());
        EXPECT_EQ(ReportFolders::readFile(answering.answered), answering.contentBefore);
        for (const auto& file : folders.tempFiles())
            std::filesystem::remove(file);
    }
}

TEST_F(ReportCommandsTest, AFailedSaveKeepsTheOldReportWholeAndNeverUnlinksWhatIsNoFile)
{
    folders.installShippedTemplate();
    const std::filesystem::path target = folders.root / "signed.html";
    const std::string old = "<html>the report signed yesterday</html>";
    std::ofstream(target) << old;
    for (int code : {ENOSPC, EIO}) {
        testing_support::FaultyCalls faults;
        faults.failing = testing_support::Op::Write;
        faults.failCode = code;
        faults.failOnCall = 2;  // the temporary report is written; the copy then fails
        ui.errors.clear();
        ui.saveAnswer = platform::utf8ToUtf16(target.string());
        {
            platform::ScopedFileSystemCalls scope(faults);
            saveReport(assays, result, false, ui);
        }
        EXPECT_EQ(ui.errors, std::vector<std::string>{"Не удалось сохранить отчет."});
        EXPECT_EQ(ReportFolders::readFile(target), old);
    }
    std::vector<std::filesystem::path> besideTarget;
    for (const auto& entry : std::filesystem::directory_iterator(folders.root))
        besideTarget.push_back(entry.path().filename());
    std::sort(besideTarget.begin(), besideTarget.end());
    EXPECT_EQ(besideTarget, (std::vector<std::filesystem::path>{"public", "signed.html", "temp"}));

    // A folder, a FIFO: refused and still there.
    ASSERT_EQ(::mkfifo((folders.root / "pipe").c_str(), 0600), 0);
    for (const char* name : {"public", "pipe"}) {
        ui.errors.clear();
        ui.saveAnswer = platform::utf8ToUtf16((folders.root / name).string());
        saveReport(assays, result, false, ui);
        EXPECT_EQ(ui.errors, std::vector<std::string>{"Не удалось сохранить отчет."});
    }
    EXPECT_TRUE(std::filesystem::is_directory(folders.root / "public"));
    EXPECT_TRUE(std::filesystem::is_fifo(folders.root / "pipe"));
}

TEST_F(ReportCommandsTest, SaveAfterAFailedTemporaryReportAsksNothingAndSaysItOnce)
{
    folders.installShippedTemplate();
    testing_support::FaultyCalls faults;
    faults.failing = testing_support::Op::Write;
    faults.failCode = ENOSPC;
    ui.saveAnswer = platform::utf8ToUtf16((folders.root / "r.html").string());
    {
        platform::ScopedFileSystemCalls scope(faults);
        saveReport(assays, result, false, ui);
    }
    EXPECT_TRUE(ui.saveRequests.empty());
    ASSERT_EQ(ui.errors.size(), 1u);
    EXPECT_TRUE(ui.errors[0].starts_with("Ошибка -2147467259. Не удалось создать отчёт.\n")) << ui.errors[0];
    EXPECT_NE(ui.errors[0].find("No space left on device"), std::string::npos) << ui.errors[0];
    EXPECT_FALSE(std::filesystem::exists(folders.root / "r.html"));
    EXPECT_TRUE(folders.tempFiles().empty());
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
