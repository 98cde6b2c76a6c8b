// The report under exhausted memory: it fails with a message or succeeds whole, never yields a
// document with rows missing, and no exception unwinds through the XML engine's C code.
#include "report/HtmlReport.h"
#include "report/LibxmlSession.h"
#include "report/ReportDocument.h"

#include "FailingAllocation.h"
#include "ReportTestSupport.h"

#include <libxml/parser.h>

namespace {

struct ManyRows {
    ManyRows()
    {
        for (int32_t id = 1; id <= 40; ++id) {
            assays[id].fileName = u"/data/Хроматограмма с длинным именем номер " + platform::utf8ToUtf16(std::to_string(id));
            assays[id].sample = u"Проба";
        }
        for (int i = 0; i < 40; ++i) {
            QuantitationRow row;
            row.name = u"Компонент " + platform::utf8ToUtf16(std::to_string(i));
            row.detected = true;
            result.quantitation.push_back(row);
        }
    }
    AssayMap assays;
    CalculationResult result;
};

} // namespace

TEST(ReportMemory, DocumentIsWholeOrNotAtAll)
{
    ManyRows data;
    bool completed = false;
    int failures = 0;
    for (std::size_t count = 0; !completed && count < 20000; ++count) {
        std::u16string text;
        {
            failing_allocation::Scope scope(count);
            try {
                text = buildSourceXml(data.assays, data.result, false);
            } catch (const std::bad_alloc&) {
                ++failures;
                continue;
            }
            completed = !failing_allocation::fired();
        }
        pugi::xml_document document;
        parseReportDocument(text, document);
        pugi::xml_node root = document.child("root");
        ASSERT_EQ(std::distance(root.child("files").begin(), root.child("files").end()), 40) << "allocation " << count;
        ASSERT_EQ(std::distance(root.child("calculation").begin(), root.child("calculation").end()), 40)
            << "allocation " << count;
    }
    EXPECT_TRUE(completed);
    EXPECT_GT(failures, 0);
}

TEST(ReportMemory, EngineMessagesWithoutMemoryAreLostNotThrownThroughTheParser)
{
    const std::string broken = "<root><unclosed></root>";
    for (std::size_t count = 0; count < 8; ++count) {
        LibxmlSession session;
        xmlDocPtr document = nullptr;
        {
            failing_allocation::Scope scope(count);
            document = xmlReadMemory(broken.data(), static_cast<int>(broken.size()), "broken.xml", nullptr, 0);
        }
        EXPECT_EQ(document, nullptr);
        xmlFreeDoc(document);
        EXPECT_FALSE(session.messagesOr("").empty());
    }
}

TEST(ReportMemory, ReportFailsWithAMessageOrSucceedsWhole)
{
    ReportFolders folders;
    folders.installShippedTemplate();
    ManyRows data;
    for (std::size_t count = 0; count < 400; count += 7) {
        RecordingReportUserInterface ui;
        bool succeeded = false;
        std::u16string output;
        {
            failing_allocation::Scope scope(count);
            HtmlReport report(data.assays, data.result, false, false, ui);
            succeeded = report.succeeded();
            output = report.outputPath();
        }
        if (succeeded) {
            EXPECT_TRUE(ui.errors.empty());
            const std::string html = ReportFolders::readFile(platform::utf16ToUtf8(output));
            EXPECT_NE(html.find("Компонент 39"), std::string::npos) << "allocation " << count;
            EXPECT_NE(html.find("номер 40"), std::string::npos) << "allocation " << count;
        } else {
            EXPECT_EQ(ui.errors.size(), 1u) << "allocation " << count;
        }
    }
}
