#include "report/ReportDocument.h"

#include "engine/MessageLog.h"
#include "platform/Text.h"
#include "report/LocalDateTime.h"
#include "report/SourceRowDiagnosis.h"
#include "report/XmlWriterSource.h"
#include "ReportTestSupport.h"

#include <clocale>
#include <ctime>

namespace {

// Local time in the tests is Moscow time, a zone without daylight saving since 2014.
class MoscowTime {
public:
    MoscowTime()
    {
        const char* tz = std::getenv("TZ");
        if (tz)
            saved_ = tz;
        setenv("TZ", "Europe/Moscow", 1);
        tzset();
    }
    ~MoscowTime()
    {
        if (saved_)
            setenv("TZ", saved_->c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }

private:
    std::optional<std::string> saved_;
};

// Registers a log for the document to read and withdraws it afterwards.
class RegisteredLog {
public:
    RegisteredLog() { setTheMessageLog(&log); }
    ~RegisteredLog() { setTheMessageLog(nullptr); }
    MessageLog log;
};

AssayRecord assay(const char16_t* path, bool calibration, const char16_t* sample = u"", const char16_t* mixture = u"")
{
    AssayRecord record;
    record.fileName = path;
    record.isCalibration = calibration;
    record.sample = sample;
    record.mixture = mixture;
    return record;
}

CalibrationRow calibrationRow(const char16_t* name, bool fitted, double k0 = 0, double k1 = 0, int points = 0)
{
    CalibrationRow row;
    row.name = name;
    row.fitted = fitted;
    row.k0 = k0;
    row.k1 = k1;
    row.k1Origin = 99;
    row.pointCount = points;
    row.mainChannel = 2;
    return row;
}

QuantitationRow quantitationRow(const char16_t* name, bool detected, bool valid, double concentration = 0)
{
    QuantitationRow row;
    row.name = name;
    row.detected = detected;
    row.valid = valid;
    row.concentration = concentration;
    row.contributions = valid ? 1 : 0;
    return row;
}

std::vector<std::string> attributeNames(pugi::xml_node node)
{
    std::vector<std::string> names;
    for (pugi::xml_attribute a : node.attributes())
        names.push_back(a.name());
    return names;
}

std::vector<pugi::xml_node> rows(pugi::xml_node list)
{
    std::vector<pugi::xml_node> found;
    for (pugi::xml_node row : list.children())
        found.push_back(row);
    return found;
}

} // namespace

TEST(ReportDocument, EmptyWorkspaceGivesDeclarationRootAndFourEmptyLists)
{
    const std::u16string text = buildSourceXml({}, {}, false);

    const std::u16string declaration = u"<?xml version=\"1.0\" encoding=\"UTF-16LE\"?><root date_created=\"";
    ASSERT_EQ(text.substr(0, declaration.size()), declaration);  // first, no byte-order mark before it
    EXPECT_EQ(text.find(u'\n'), std::u16string::npos);
    EXPECT_EQ(text.find(u'\r'), std::u16string::npos);
    EXPECT_EQ(text.find(u'\uFEFF'), std::u16string::npos);

    pugi::xml_document document;
    parseReportDocument(text, document);
    pugi::xml_node root = document.child("root");
    EXPECT_EQ(attributeNames(root), (std::vector<std::string>{"date_created", "prog_version"}));
    EXPECT_EQ(attribute(root, "prog_version"), " 1.0.0.0");
    std::vector<std::string> lists;
    for (pugi::xml_node list : root.children()) {
        lists.push_back(list.name());
        EXPECT_FALSE(list.first_child()) << list.name();
    }
    EXPECT_EQ(lists, (std::vector<std::string>{"files", "calibration", "calculation", "messages"}));
}

TEST(ReportDocument, FilesListEveryAssayInTheOrderOfAdditionWithAllAttributes)
{
    MoscowTime moscow;
    AssayMap assays;
    assays[7] = assay(u"/data/run 7/Калибровка.stg", true, u"", u"Смесь А");
    assays[7].date = 1700000000;  // 2023-11-14 22:13:20 UTC
    assays[3] = assay(u"C:\\Vantrel\\analysis.dat", false, u"Проба 1", u"");
    assays[12] = assay(u"noFolder.stg", false);

    pugi::xml_document document;
    parseReportDocument(buildSourceXml(assays, {}, true), document);
    std::vector<pugi::xml_node> files = rows(document.child("root").child("files"));
    ASSERT_EQ(files.size(), 3u);
    std::vector<std::string> fileNames;
    for (pugi::xml_node row : files)
        fileNames.push_back(attribute(row, "fileName"));
    EXPECT_EQ(fileNames, (std::vector<std::string>{"Калибровка.stg", "analysis.dat", "noFolder.stg"}));

    int position = 0;
    for (const auto& [id, record] : assays) {
        pugi::xml_node row = files[position++];
        EXPECT_EQ(attributeNames(row),
                  (std::vector<std::string>{"number", "fileName", "sample", "date", "type", "mixture"}));
        EXPECT_EQ(attribute(row, "number"), std::to_string(position));
        EXPECT_EQ(attribute(row, "sample"), platform::utf16ToUtf8(record.sample));
        EXPECT_EQ(attribute(row, "mixture"), platform::utf16ToUtf8(record.mixture));
        switch (id) {
        case 7:
            EXPECT_EQ(attribute(row, "fileName"), "Калибровка.stg");
            EXPECT_EQ(attribute(row, "type"), "Градуировочная");
            EXPECT_EQ(attribute(row, "date"), "15.11.2023 1:13:20");
            break;
        case 3:
            EXPECT_EQ(attribute(row, "fileName"), "analysis.dat");
            EXPECT_EQ(attribute(row, "type"), "Анализ");
            EXPECT_EQ(attribute(row, "date"), "01.01.1970 3:00:00");
            break;
        default:
            EXPECT_EQ(attribute(row, "fileName"), "noFolder.stg");
        }
    }
}

TEST(ReportDocument, CalibrationShowsInterceptLineOrDashesAndHidesUnfittedOnRequest)
{
    CalculationResult result;
    result.calibration = {calibrationRow(u"Бензол", true, 0.5, 12345.678, 3),
                          calibrationRow(u"Толуол", false, 0, 0, 1),
                          calibrationRow(u"Ксилол", true, -0.000012345, 0.01, 2)};
    result.quantitation = {quantitationRow(u"Бензол", true, true, 2.6),
                           quantitationRow(u"Толуол", true, false),
                           quantitationRow(u"Ксилол", false, false)};

    pugi::xml_document shown;
    parseReportDocument(buildSourceXml({}, result, false), shown);
    std::vector<pugi::xml_node> all = rows(shown.child("root").child("calibration"));
    ASSERT_EQ(all.size(), 3u);
    EXPECT_EQ(attributeNames(all[0]), (std::vector<std::string>{"number", "name", "mainChannel", "k0", "k1", "nPoints"}));
    EXPECT_EQ(attribute(all[0], "k0"), "0.5");
    EXPECT_EQ(attribute(all[0], "k1"), "1.235e+04");
    EXPECT_EQ(attribute(all[0], "mainChannel"), "2");
    EXPECT_EQ(attribute(all[1], "k0"), "---");
    EXPECT_EQ(attribute(all[1], "k1"), "---");
    EXPECT_EQ(attribute(all[1], "nPoints"), "1");
    EXPECT_EQ(attribute(all[2], "k0"), "-1.234e-05");
    EXPECT_EQ(attribute(all[2], "k1"), "0.01");

    pugi::xml_document hidden;
    parseReportDocument(buildSourceXml({}, result, true), hidden);
    std::vector<pugi::xml_node> fitted = rows(hidden.child("root").child("calibration"));
    ASSERT_EQ(fitted.size(), 2u);
    EXPECT_EQ(attribute(fitted[0], "name"), "Бензол");
    EXPECT_EQ(attribute(fitted[1], "name"), "Ксилол");
    EXPECT_EQ(attribute(fitted[1], "number"), "2");
    // The unfitted but detected component keeps its result row.
    std::vector<pugi::xml_node> results = rows(hidden.child("root").child("calculation"));
    ASSERT_EQ(results.size(), 2u);
    EXPECT_EQ(attribute(results[1], "name"), "Толуол");
    EXPECT_EQ(attribute(results[1], "number"), "2");
}

TEST(ReportDocument, CalculationRowsCarryStatusAndConcentrationText)
{
    CalculationResult result;
    result.quantitation = {quantitationRow(u"A", false, false), quantitationRow(u"B", true, true, 2.6),
                           quantitationRow(u"C", true, false), quantitationRow(u"D", true, true, 1234.5678)};

    pugi::xml_document document;
    parseReportDocument(buildSourceXml({}, result, false), document);
    std::vector<pugi::xml_node> list = rows(document.child("root").child("calculation"));
    ASSERT_EQ(list.size(), 4u);
    EXPECT_EQ(attributeNames(list[0]), (std::vector<std::string>{"number", "name", "status", "concent"}));
    EXPECT_EQ(attribute(list[0], "status"), "Не подтверждён");
    EXPECT_EQ(attribute(list[0], "concent"), "не обнаружено");
    EXPECT_EQ(attribute(list[1], "status"), "Идентифицирован");
    EXPECT_EQ(attribute(list[1], "concent"), "2.600");
    EXPECT_EQ(attribute(list[2], "status"), "Идентифицирован");
    EXPECT_EQ(attribute(list[2], "concent"), "---");
    EXPECT_EQ(attribute(list[3], "concent"), "1234.568");

    pugi::xml_document hidden;
    parseReportDocument(buildSourceXml({}, result, true), hidden);
    std::vector<pugi::xml_node> detected = rows(hidden.child("root").child("calculation"));
    ASSERT_EQ(detected.size(), 3u);
    for (std::size_t i = 0; i < detected.size(); ++i)
        EXPECT_EQ(attribute(detected[i], "number"), std::to_string(i + 1));
    EXPECT_EQ(attribute(detected[0], "name"), "B");
}

TEST(ReportDocument, NoQuantitationRowsLeaveCalculationEmptyEitherWay)
{
    CalculationResult result;
    result.calibration = {calibrationRow(u"A", false)};
    for (bool hide : {false, true}) {
        pugi::xml_document document;
        parseReportDocument(buildSourceXml({}, result, hide), document);
        EXPECT_FALSE(document.child("root").child("calculation").first_child());
        EXPECT_EQ(rows(document.child("root").child("calibration")).size(), hide ? 0u : 1u);
    }
}

TEST(ReportDocument, MessagesAreTheLogsFlattenedLinesEscaped)
{
    RegisteredLog registered;
    registered.log.addWarning(u"\"%s\": a < b && c > d", u"Бензол");
    registered.log.addError(u"Загружено %d.", 3);
    registered.log.addInfo(u"line\nbreak");

    const std::u16string text = buildSourceXml({}, {}, true);
    EXPECT_NE(text.find(u"msg_str=\"Предупреждение: &quot;Бензол&quot;: a &lt; b &amp;&amp; c &gt; d\""),
              std::u16string::npos) << platform::utf16ToUtf8(text);
    EXPECT_EQ(text.find(u'\n'), std::u16string::npos) << platform::utf16ToUtf8(text);  // a line break inside a message is a character reference

    pugi::xml_document document;
    parseReportDocument(text, document);
    std::vector<pugi::xml_node> list = rows(document.child("root").child("messages"));
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(attribute(list[0], "msg_str"), "Ошибка: Загружено 3.");
    EXPECT_EQ(attribute(list[1], "msg_str"), "Предупреждение: \"Бензол\": a < b && c > d");
    EXPECT_EQ(attribute(list[2], "msg_str"), "Информация: line\nbreak");
}

TEST(ReportDocument, NumbersKeepThePointUnderADecimalCommaLocale)
{
    const char* previous = std::setlocale(LC_ALL, nullptr);
    const std::string saved = previous ? previous : "C";
    ASSERT_NE(std::setlocale(LC_ALL, "ru_RU.UTF-8"), nullptr) << "the ru_RU.UTF-8 locale is needed";
    CalculationResult result;
    result.calibration = {calibrationRow(u"A", true, 1.5, 0.25, 2)};
    result.quantitation = {quantitationRow(u"A", true, true, 3.14159)};
    const std::u16string text = buildSourceXml({}, result, false);
    std::setlocale(LC_ALL, saved.c_str());

    EXPECT_NE(text.find(u"k0=\"1.5\" k1=\"0.25\""), std::u16string::npos);
    EXPECT_NE(text.find(u"concent=\"3.142\""), std::u16string::npos);
}

TEST(LocalDateTime, ShortDateAndTimeInLocalTime)
{
    MoscowTime moscow;
    EXPECT_EQ(platform::utf16ToUtf8(formatLocalDateTime(0)), "01.01.1970 3:00:00");
    EXPECT_EQ(platform::utf16ToUtf8(formatLocalDateTime(1735678799)), "31.12.2024 23:59:59");
    EXPECT_EQ(platform::utf16ToUtf8(formatLocalDateTime(1719792000 + 13 * 3600 + 5 * 60 + 7)), "01.07.2024 16:05:07");
    // Before 1970 is still a date; beyond the four-digit calendar is a placeholder, never nothing.
    EXPECT_EQ(platform::utf16ToUtf8(formatLocalDateTime(-86400)), "31.12.1969 3:00:00");
    EXPECT_EQ(platform::utf16ToUtf8(formatLocalDateTime(INT64_MAX)), "--.--.---- --:--:--");
    EXPECT_EQ(platform::utf16ToUtf8(formatLocalDateTime(INT64_MIN)), "--.--.---- --:--:--");
}

TEST(XmlWriterSource, AppendsLittleEndianUnitsAcrossChunks)
{
    std::u16string target;
    xml_writer_source writer(&target);
    const unsigned char first[] = {0x41, 0x00, 0x16};  // "A", then half of U+0416
    const unsigned char second[] = {0x04, 0x42, 0x00};  // the other half, then "B"
    writer.write(first, sizeof first);
    writer.write(nullptr, 10);
    writer.write(second, 0);
    writer.write(second, sizeof second);
    EXPECT_EQ(target, u"AЖB");
}

TEST(ReportDocument, CharactersXmlCannotCarryBecomeReplacementCharactersInEveryText)
{
    RegisteredLog registered;
    registered.log.addWarning(u"bell\a and\ttab");
    AssayMap assays;
    assays[1] = assay(u"/data/run\x01.stg", true, u"sample\x1F");
    assays[1].mixture = std::u16string(u"mix\0ture", 8);
    CalculationResult result;
    result.calibration.push_back(calibrationRow(u"name\x02", true, 1, 2, 3));
    QuantitationRow quantitation;
    quantitation.name = u"bad\uFFFF\uFFFE\xD800 end";
    quantitation.detected = true;
    result.quantitation.push_back(quantitation);

    const std::u16string text = buildSourceXml(assays, result, false);
    pugi::xml_document document;
    parseReportDocument(text, document);
    pugi::xml_node root = document.child("root");
    pugi::xml_node file = root.child("files").child("row");
    EXPECT_EQ(attribute(file, "fileName"), "run\uFFFD.stg");
    EXPECT_EQ(attribute(file, "sample"), "sample\uFFFD");
    EXPECT_EQ(attribute(file, "mixture"), "mix\uFFFDture");
    EXPECT_EQ(attribute(root.child("calibration").child("row"), "name"), "name\uFFFD");
    EXPECT_EQ(attribute(root.child("calculation").child("row"), "name"), "bad\uFFFD\uFFFD\uFFFD end");
    // Tab, line feed and carriage return are characters XML carries: they stay.
    EXPECT_EQ(attribute(root.child("messages").child("row"), "msg_str"), "Предупреждение: bell\uFFFD and\ttab");
}

TEST(SourceRowDiagnosis, NamesTheFirstRowThatDoesNotReadAndItsList)
{
    const std::u16string head = u"<?xml version=\"1.0\" encoding=\"UTF-16LE\"?><root date_created=\"x\"><files>"
                                u"<row number=\"1\" sample=\"a\" /><row number=\"2\" sample=\"b\" /></files><calibration>";
    const struct {
        std::u16string calibrationRows;
        std::string expected;
    } cases[] = {
        {u"<row number=\"1\" name=\"ok\" /></calibration><calculation /><messages /></root>", ""},
        {u"<row number=\"1\" name=\"ok\" /><row number=\"2\" name=\"bad\x01\" /></calibration></root>",
         "Row 2 of \"calibration\": "},
        {u"<row number=\"1\" name=\"ok\" name=\"twice\" /></calibration></root>", "Row 1 of \"calibration\": "},
        {u"<row number=\"1\" name=\"cut sh", "Row 1 of \"calibration\": the row is cut short."},
    };
    for (const auto& c : cases) {
        const std::string found = describeUnreadableRow(head + c.calibrationRows);
        if (c.expected.empty())
            EXPECT_EQ(found, "");
        else
            EXPECT_TRUE(found.starts_with(c.expected)) << found;
        if (!c.expected.empty() && !c.expected.ends_with('.')) {
            EXPECT_GT(found.size(), c.expected.size()) << "the engine's reason follows";
        }
    }
    // The files list itself: its second row.
    const std::u16string badFile = u"<root><files><row number=\"1\" /><row number=\"2\" sample=\"\uFFFF\" /></files></root>";
    EXPECT_TRUE(describeUnreadableRow(badFile).starts_with("Row 2 of \"files\": ")) << describeUnreadableRow(badFile);
}
