#include "report/HtmlReport.h"

#include "engine/MessageLog.h"
#include "ReportTestSupport.h"

#include <sys/stat.h>

namespace {

const char minimalStylesheet[] = R"(<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE xsl:stylesheet [<!ENTITY dash "&#8212;">]>
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:output method="html" encoding="UTF-8"/>
  <xsl:template match="/root">
    <html><body>
      <xsl:for-each select="files/row"><p class="file"><xsl:value-of select="@fileName"/></p></xsl:for-each>
      <xsl:for-each select="calculation/row"><p>&dash;<xsl:value-of select="@name"/>=<xsl:value-of select="@concent"/></p></xsl:for-each>
    </body></html>
  </xsl:template>
</xsl:stylesheet>
)";

std::string stylesheetWithBody(const std::string& body, const std::string& extraNamespaces = "")
{
    return R"(<?xml version="1.0" encoding="UTF-8"?>
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform")" +
           extraNamespaces + ">\n" + body + "\n</xsl:stylesheet>\n";
}

struct Workspace {
    Workspace()
    {
        assays[1].fileName = u"/data/Калибровка 1.stg";
        assays[1].isCalibration = true;
        QuantitationRow row;
        row.name = u"Бензол";
        row.detected = true;
        row.valid = true;
        row.concentration = 2.6;
        result.quantitation.push_back(row);
    }
    AssayMap assays;
    CalculationResult result;
};

class HtmlReportTest : public ::testing::Test {
protected:
    void SetUp() override { testing::internal::CaptureStderr(); }
    void TearDown() override
    {
        // The engines' own complaints never reach the terminal.
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    }

    ReportFolders folders;
    RecordingReportUserInterface ui;
    Workspace workspace;
};

} // namespace

TEST_F(HtmlReportTest, ShownReportIsWrittenIntoAPrivateFolderAndOpened)
{
    folders.installTemplate(minimalStylesheet);
    HtmlReport report(workspace.assays, workspace.result, true, false, ui);

    ASSERT_TRUE(report.succeeded()) << (ui.errors.empty() ? "" : ui.errors[0]);
    EXPECT_TRUE(ui.errors.empty());
    const std::string output = platform::utf16ToUtf8(report.outputPath());
    ASSERT_EQ(ui.opened, std::vector<std::string>{output});
    const std::filesystem::path path(output);
    // Only the analyst may enter the folder and read the report.
    EXPECT_EQ(path.parent_path().parent_path(), folders.tempFolder);
    EXPECT_EQ(std::filesystem::status(path.parent_path()).permissions(), std::filesystem::perms::owner_all);
    EXPECT_EQ(std::filesystem::status(path).permissions(),
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    EXPECT_TRUE(path.filename().string().starts_with("vtl"));
    EXPECT_TRUE(path.filename().string().ends_with(".tmp.html"));
    EXPECT_EQ(folders.tempFiles(), std::vector<std::filesystem::path>{path});

    const std::string html = ReportFolders::readFile(path);
    EXPECT_NE(html.find("<p class=\"file\">Калибровка 1.stg</p>"), std::string::npos) << html;
    EXPECT_NE(html.find("—Бензол=2.600"), std::string::npos) << html;  // the template's own entity
    EXPECT_NE(platform::utf16ToUtf8(report.resultText()).find("Бензол=2.600"), std::string::npos);
    EXPECT_FALSE(report.sourceXml().empty());
    EXPECT_FALSE(report.templateXml().empty());
}

TEST_F(HtmlReportTest, TwoReportsGiveTwoFilesAndNoPlaceholders)
{
    folders.installTemplate(minimalStylesheet);
    HtmlReport first(workspace.assays, workspace.result, true, false, ui);
    HtmlReport second(workspace.assays, workspace.result, true, false, ui);
    ASSERT_TRUE(first.succeeded() && second.succeeded());
    EXPECT_NE(first.outputPath(), second.outputPath());
    EXPECT_EQ(folders.tempFiles().size(), 2u);
    EXPECT_EQ(ui.opened.size(), 2u);
}

TEST_F(HtmlReportTest, MissingOrBrokenTemplateStopsBeforeTheDocumentIsBuilt)
{
    const std::string expected = "Не удалось загрузить шаблон отчёта.\nError parsing XSLT Document instance.";
    {
        HtmlReport missing(workspace.assays, workspace.result, true, false, ui);
        EXPECT_FALSE(missing.succeeded());
        EXPECT_TRUE(missing.sourceXml().empty());
    }
    folders.installTemplate("<xsl:stylesheet version=\"1.0\" xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\">");
    {
        HtmlReport broken(workspace.assays, workspace.result, true, false, ui);
        EXPECT_FALSE(broken.succeeded());
        EXPECT_TRUE(broken.sourceXml().empty());
        EXPECT_TRUE(broken.outputPath().empty());
    }
    EXPECT_EQ(ui.errors, (std::vector<std::string>{expected, expected}));
    EXPECT_TRUE(ui.opened.empty());
    EXPECT_TRUE(folders.tempFiles().empty());
}

TEST_F(HtmlReportTest, TemplateThatIsAFifoOrFolderIsRefusedWithoutWaiting)
{
    const std::string expected = "Не удалось загрузить шаблон отчёта.\nError parsing XSLT Document instance.";
    std::filesystem::create_directories(folders.templatePath().parent_path());
    // Nobody ever writes into the FIFO: a reading that waited for a writer would hang here.
    ASSERT_EQ(::mkfifo(folders.templatePath().c_str(), 0600), 0);
    {
        HtmlReport fifo(workspace.assays, workspace.result, true, false, ui);
        EXPECT_FALSE(fifo.succeeded());
    }
    std::filesystem::remove(folders.templatePath());
    std::filesystem::create_directory(folders.templatePath());
    {
        HtmlReport folder(workspace.assays, workspace.result, true, false, ui);
        EXPECT_FALSE(folder.succeeded());
    }
    EXPECT_EQ(ui.errors, (std::vector<std::string>{expected, expected}));
    EXPECT_TRUE(folders.tempFiles().empty());
}

TEST_F(HtmlReportTest, NoPublicDocumentsFolderEndsWithoutAMessage)
{
    unsetenv("VANTREL_PUBLIC_DOCUMENTS");
    setenv("HOME", "", 1);
    HtmlReport report(workspace.assays, workspace.result, true, false, ui);
    EXPECT_FALSE(report.succeeded());
    EXPECT_TRUE(ui.errors.empty());
    EXPECT_TRUE(ui.opened.empty());
}

TEST_F(HtmlReportTest, WellFormedNonStylesheetIsTheEnginesCodedFailure)
{
    folders.installTemplate("<?xml version=\"1.0\"?><html><body>no stylesheet</body></html>");
    HtmlReport report(workspace.assays, workspace.result, true, false, ui);
    EXPECT_FALSE(report.succeeded());
    ASSERT_EQ(ui.errors.size(), 1u);
    const std::string prefix = "Ошибка -2147467259. Не удалось создать отчёт.\n";
    EXPECT_TRUE(ui.errors[0].starts_with(prefix)) << ui.errors[0];
    EXPECT_GT(ui.errors[0].size(), prefix.size());  // the engine's own explanation follows
    EXPECT_FALSE(report.sourceXml().empty());
    EXPECT_TRUE(folders.tempFiles().empty());
}

TEST_F(HtmlReportTest, StylesheetThatStopsOrRecursesEndlesslyFailsWithoutHarm)
{
    const std::string terminating = stylesheetWithBody(
        R"(<xsl:template match="/"><xsl:message terminate="yes">template gave up</xsl:message></xsl:template>)");
    const std::string endless = stylesheetWithBody(
        R"(<xsl:template match="/"><xsl:call-template name="again"/></xsl:template>
           <xsl:template name="again"><x><xsl:call-template name="again"/></x></xsl:template>)");
    for (const std::string& body : {terminating, endless}) {
        folders.installTemplate(body);
        HtmlReport report(workspace.assays, workspace.result, true, false, ui);
        EXPECT_FALSE(report.succeeded());
    }
    ASSERT_EQ(ui.errors.size(), 2u);
    EXPECT_TRUE(ui.errors[0].starts_with("Ошибка -2147467259. Не удалось создать отчёт.\n"));
    EXPECT_NE(ui.errors[0].find("template gave up"), std::string::npos) << ui.errors[0];
    EXPECT_TRUE(ui.errors[1].starts_with("Ошибка -2147467259. Не удалось создать отчёт.\n"));
    EXPECT_TRUE(ui.opened.empty());
}

TEST_F(HtmlReportTest, StylesheetCannotWriteFilesOrReachTheNetwork)
{
    const std::filesystem::path planted = folders.root / "planted.txt";
    const std::string writing = stylesheetWithBody(
        R"(<xsl:template match="/"><exsl:document href=")" + planted.string() +
            R"(" method="text">owned</exsl:document><p>done</p></xsl:template>)",
        R"( xmlns:exsl="http://exslt.org/common" extension-element-prefixes="exsl")");
    folders.installTemplate(writing);
    HtmlReport writer(workspace.assays, workspace.result, false, false, ui);
    EXPECT_FALSE(writer.succeeded());
    EXPECT_FALSE(std::filesystem::exists(planted));

    // An unreachable address must not be tried: a refused network read fails at once.
    const std::string fetching = stylesheetWithBody(
        R"x(<xsl:template match="/"><p><xsl:value-of select="count(document('http://192.0.2.1/x.xml'))"/></p></xsl:template>)x");
    folders.installTemplate(fetching);
    HtmlReport fetcher(workspace.assays, workspace.result, false, false, ui);
    EXPECT_FALSE(fetcher.succeeded());
    ASSERT_EQ(ui.errors.size(), 2u);
    for (const std::string& error : ui.errors)
        EXPECT_TRUE(error.starts_with("Ошибка -2147467259. Не удалось создать отчёт.\n")) << error;
}

TEST_F(HtmlReportTest, UnwritableTemporaryFolderIsACodedFailure)
{
    folders.installTemplate(minimalStylesheet);
    setenv("TMPDIR", (folders.root / "no such folder").c_str(), 1);
    HtmlReport report(workspace.assays, workspace.result, true, false, ui);
    EXPECT_FALSE(report.succeeded());
    ASSERT_EQ(ui.errors.size(), 1u);
    EXPECT_TRUE(ui.errors[0].starts_with("Ошибка -2147467259. Не удалось создать отчёт.\nCould not create a temporary file"))
        << ui.errors[0];
    EXPECT_TRUE(ui.opened.empty());
}

TEST_F(HtmlReportTest, ExplicitTemplatePathIsUsedInsteadOfTheInstalledOne)
{
    const std::filesystem::path own = folders.root / "own.xsl";
    std::ofstream(own) << stylesheetWithBody(R"(<xsl:template match="/"><p>own template</p></xsl:template>)");
    HtmlReport report(workspace.assays, workspace.result, false, false, ui, platform::utf8ToUtf16(own.string()));
    ASSERT_TRUE(report.succeeded());
    EXPECT_NE(ReportFolders::readFile(platform::utf16ToUtf8(report.outputPath())).find("own template"), std::string::npos);
}

TEST_F(HtmlReportTest, ShippedTemplateGivesASelfContainedRussianReport)
{
    folders.installShippedTemplate();
    CalibrationRow fitted;
    fitted.name = u"Бензол";
    fitted.fitted = true;
    fitted.k0 = 0.5;
    fitted.k1 = 12345.678;
    fitted.pointCount = 3;
    CalibrationRow unfitted;
    unfitted.name = u"Толуол";
    workspace.result.calibration = {fitted, unfitted};
    QuantitationRow absent;
    absent.name = u"Толуол";
    workspace.result.quantitation.push_back(absent);
    MessageLog log;
    log.addWarning(u"\"%s\": a < b & c", u"Толуол");
    setTheMessageLog(&log);
    HtmlReport report(workspace.assays, workspace.result, false, false, ui);
    setTheMessageLog(nullptr);
    ASSERT_TRUE(report.succeeded()) << (ui.errors.empty() ? "" : ui.errors[0]);

    const std::string html = ReportFolders::readFile(platform::utf16ToUtf8(report.outputPath()));
    for (const char* expected : {"Отчёт о градуировке и расчёте концентраций", "Дата создания:", "версия 1.0.0.0",
                                 "Калибровка 1.stg", "Градуировочная", "1.235e+04", "---", "Идентифицирован",
                                 "2.600", "Не подтверждён", "не обнаружено",
                                 "Предупреждение: \"Толуол\": a &lt; b &amp; c", "size: A4", "Проверил"})
        EXPECT_NE(html.find(expected), std::string::npos) << expected;
    // Nothing is fetched when the report is opened or printed.
    for (const char* external : {"<script", "src=", "href=", "<link", "url(", "@import"})
        EXPECT_EQ(html.find(external), std::string::npos) << external;
}

TEST_F(HtmlReportTest, StylesheetCannotReadLocalFiles)
{
    const std::filesystem::path secret = folders.root / "secret.xml";
    std::ofstream(secret) << "<secret>top-secret-value</secret>";
    const std::filesystem::path fifo = folders.root / "pipe.xml";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);

    const std::string entity = R"(<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE xsl:stylesheet [<!ENTITY leak SYSTEM "file://)" + secret.string() + R"(">]>
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:template match="/"><p>&leak;</p></xsl:template>
</xsl:stylesheet>
)";
    const std::string externalSubset = R"(<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE xsl:stylesheet SYSTEM ")" + fifo.string() + R"(">
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:template match="/"><p>subset</p></xsl:template>
</xsl:stylesheet>
)";
    const std::string byDocument = stylesheetWithBody(
        R"x(<xsl:template match="/"><p><xsl:value-of select="document(')x" + secret.string() +
        R"x(')"/></p></xsl:template>)x");
    const std::string byRelativeDocument = stylesheetWithBody(
        R"x(<xsl:template match="/"><p><xsl:value-of select="document('../../../../secret.xml')"/></p></xsl:template>)x");
    // A FIFO named by document() would block the reader for ever.
    const std::string fromFifo = stylesheetWithBody(
        R"x(<xsl:template match="/"><p><xsl:value-of select="document(')x" + fifo.string() +
        R"x(')"/></p></xsl:template>)x");
    const std::string byImport = stylesheetWithBody(R"(<xsl:import href=")" + secret.string() + R"("/>
        <xsl:template match="/"><p>imported</p></xsl:template>)");

    for (const std::string& text : {entity, externalSubset, byDocument, byRelativeDocument, fromFifo, byImport}) {
        folders.installTemplate(text);
        ui.errors.clear();
        HtmlReport report(workspace.assays, workspace.result, false, false, ui);
        if (report.succeeded()) {
            const std::string html = ReportFolders::readFile(platform::utf16ToUtf8(report.outputPath()));
            EXPECT_EQ(html.find("top-secret-value"), std::string::npos) << text << html;
        } else {
            ASSERT_EQ(ui.errors.size(), 1u) << text;
        }
    }
}

TEST_F(HtmlReportTest, TemplateKeepsItsOwnEntitiesButMayNotDeclareOutsideOnes)
{
    const std::string own = R"(<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE xsl:stylesheet [<!ENTITY % unit "<!ENTITY unit 'мг/дм3'>"> %unit; <!ENTITY mark "&#8470;">]>
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:template match="/"><p>&mark; &unit;</p></xsl:template>
</xsl:stylesheet>
)";
    folders.installTemplate(own);
    HtmlReport report(workspace.assays, workspace.result, false, false, ui);
    ASSERT_TRUE(report.succeeded()) << (ui.errors.empty() ? "" : ui.errors[0]);
    const std::string html = ReportFolders::readFile(platform::utf16ToUtf8(report.outputPath()));
    EXPECT_NE(html.find("№ мг/дм3"), std::string::npos) << html;

    // An outside entity smuggled in through a parameter entity is still an outside entity.
    const std::string smuggled = R"(<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE xsl:stylesheet [<!ENTITY % p "<!ENTITY leak SYSTEM 'file:///etc/hostname'>"> %p;]>
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:template match="/"><p>&leak;</p></xsl:template>
</xsl:stylesheet>
)";
    folders.installTemplate(smuggled);
    HtmlReport refused(workspace.assays, workspace.result, false, false, ui);
    EXPECT_FALSE(refused.succeeded());
    ASSERT_EQ(ui.errors.size(), 1u);
    EXPECT_TRUE(ui.errors[0].starts_with("Не удалось загрузить шаблон отчёта.\nError parsing XSLT Document instance.\n"))
        << ui.errors[0];
    EXPECT_NE(ui.errors[0].find("\"leak\""), std::string::npos) << ui.errors[0];
}

TEST_F(HtmlReportTest, ControlCharacterInANameNoLongerFailsTheReport)
{
    folders.installTemplate(minimalStylesheet);
    workspace.assays[1].fileName = u"/data/Проба\x01.stg";
    workspace.result.quantitation[0].name = u"Бен\x1Fзол";
    HtmlReport report(workspace.assays, workspace.result, false, false, ui);
    ASSERT_TRUE(report.succeeded()) << (ui.errors.empty() ? "" : ui.errors[0]);
    const std::string html = ReportFolders::readFile(platform::utf16ToUtf8(report.outputPath()));
    EXPECT_NE(html.find("Проба\uFFFD.stg"), std::string::npos) << html;
    EXPECT_NE(html.find("Бен\uFFFDзол=2.600"), std::string::npos) << html;
}
