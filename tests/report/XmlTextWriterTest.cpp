// The report document's text writer against a DOM serialiser: for every kind of value a report
// can carry, the text is the one the DOM writes (with ">" escaped inside values as well), and a
// reader gets the value back with only the characters XML cannot carry replaced.
#include "report/XmlTextWriter.h"

#include "platform/Text.h"
#include "report/ReportDocument.h"
#include "report/XmlWriterSource.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <string>
#include <vector>

namespace {

struct Element {
    std::u16string name;
    std::vector<std::pair<std::u16string, std::u16string>> attributes;
    std::vector<Element> children;
};

void writeWithWriter(XmlTextWriter& xml, const Element& element)
{
    xml.startElement(element.name);
    for (const auto& [name, value] : element.attributes)
        xml.attribute(name, value);
    for (const Element& child : element.children)
        writeWithWriter(xml, child);
    xml.endElement();
}

void buildDom(pugi::xml_node parent, const Element& element)
{
    pugi::xml_node node = parent.append_child(platform::utf16ToUtf8(element.name).c_str());
    for (const auto& [name, value] : element.attributes)
        node.append_attribute(platform::utf16ToUtf8(name).c_str())
            .set_value(platform::utf16ToUtf8(xmlSafeText(value)).c_str());
    for (const Element& child : element.children)
        buildDom(node, child);
}

// The DOM's raw UTF-16 text with ">" escaped inside attribute values, which it leaves bare.
std::u16string domText(const Element& root)
{
    pugi::xml_document document;
    pugi::xml_node declaration = document.append_child(pugi::node_declaration);
    declaration.append_attribute("version").set_value("1.0");
    declaration.append_attribute("encoding").set_value("UTF-16LE");
    buildDom(document, root);
    std::u16string raw;
    xml_writer_source writer(&raw);
    document.save(writer, "", pugi::format_raw, pugi::encoding_utf16_le);
    std::u16string text;
    bool insideValue = false;
    for (char16_t c : raw) {
        if (c == u'"')
            insideValue = !insideValue;
        if (c == u'>' && insideValue)
            text += u"&gt;";
        else
            text += c;
    }
    return text;
}

std::u16string writerText(const Element& root)
{
    std::u16string text;
    XmlTextWriter xml(text);
    xml.declaration(u"UTF-16LE");
    writeWithWriter(xml, root);
    return text;
}

} // namespace

TEST(XmlTextWriter, WritesWhatTheDomWritesForEveryKindOfValue)
{
    std::u16string longValue;
    for (int i = 0; i < 2000; ++i)
        longValue += u"Бензол <1> & \"x\"\t";
    const struct {
        const char* what;
        std::u16string value;
        std::u16string readBack;  // what a reader gets back; empty: the value itself
    } cases[] = {
        {"empty", u"", u""},
        {"plain", u"run 17.stg", u""},
        {"Cyrillic", u"Предупреждение: бензол", u""},
        {"markup", u"a < b && c > d \"q\" 'a'", u""},
        {"tab, line feed, carriage return", u"a\tb\nc\rd", u""},
        {"control characters", std::u16string(u"a\x01" u"b\x1F" u"c\0d", 7), u"a\uFFFDb\uFFFDc\uFFFDd"},
        {"non-characters", u"x\uFFFE\uFFFFy", u"x\uFFFD\uFFFDy"},
        {"surrogate pair", u"face \U0001F600 end", u""},
        {"high surrogate last", u"end\xD800", u"end\uFFFD"},
        {"high surrogate before a letter", u"a\xD83Dz", u"a\uFFFDz"},
        {"low surrogate alone", u"a\xDE00z", u"a\uFFFDz"},
        {"two high surrogates then a low", u"\xD83D\xD83D\xDE00", u"\uFFFD\U0001F600"},
        {"long", longValue, u""},
    };
    for (const auto& c : cases) {
        Element root{u"root", {{u"date_created", u"10.12.2026 9:00:00"}, {u"value", c.value}}, {}};
        root.children.push_back({u"files", {}, {}});
        root.children.push_back({u"messages", {}, {{u"row", {{u"msg_str", c.value}}, {}}, {u"row", {{u"n", u"2"}}, {}}}});
        const std::u16string written = writerText(root);
        EXPECT_EQ(written, domText(root)) << c.what;

        pugi::xml_document document;
        ASSERT_TRUE(document.load_buffer(written.data(), written.size() * sizeof(char16_t), pugi::parse_default,
                                         pugi::encoding_utf16_le))
            << c.what;
        const std::u16string expected = c.readBack.empty() ? c.value : c.readBack;
        EXPECT_EQ(platform::utf8ToUtf16(document.child("root").attribute("value").value()), expected) << c.what;
        EXPECT_EQ(platform::utf8ToUtf16(document.child("root").child("messages").child("row").attribute("msg_str").value()),
                  expected)
            << c.what;
    }
}

TEST(XmlTextWriter, NumbersAndNestingCloseInOrder)
{
    std::u16string text;
    XmlTextWriter xml(text);
    xml.startElement(u"root");
    xml.attribute(u"number", 0LL);
    xml.startElement(u"files");
    xml.startElement(u"row");
    xml.attribute(u"number", -42LL);
    xml.attribute(u"big", 9223372036854775807LL);
    xml.endElement();
    xml.endElement();
    xml.startElement(u"calibration");
    xml.endElement();
    xml.endElement();
    xml.endElement();  // one too many: nothing more is written
    EXPECT_EQ(text, u"<root number=\"0\"><files><row number=\"-42\" big=\"9223372036854775807\"/></files>"
                    u"<calibration/></root>");
}

#include "engine/MessageLog.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

namespace {

std::string dumped(xmlDocPtr document)
{
    xmlChar* text = nullptr;
    int length = 0;
    xmlDocDumpMemoryEnc(document, &text, &length, "UTF-8");
    std::string bytes = text ? std::string(reinterpret_cast<const char*>(text), static_cast<std::size_t>(length)) : "";
    xmlFree(text);
    return bytes;
}

} // namespace

TEST(ReportSourceTree, IsTheTreeTheDocumentsTextReadsAs)
{
    MessageLog log;
    setTheMessageLog(&log);
    log.addWarning(u"\"%s\": a < b && c > d", u"Бензол");
    log.addError(u"Загружено %d.", 3);
    log.addInfo(std::u16string(u"line\nbreak\ttab\rreturn\x01 bell \xD800 lone \U0001F600 pair & 'quote'"));
    AssayMap assays;
    assays[7].fileName = u"/data/run\x02<7>.stg";
    assays[7].sample = u"проба & \"кавычки\"";
    assays[7].isCalibration = true;
    assays[3].fileName = u"analysis.stg";
    assays[3].mixture = u"\uFFFE\uFFFF";
    CalculationResult result;
    CalibrationRow line;
    line.name = u"Метанол";
    line.fitted = true;
    line.k0 = 0.5;
    line.k1 = 2.25;
    line.pointCount = 4;
    line.mainChannel = 2;
    result.calibration = {line, CalibrationRow {}};
    QuantitationRow quantity;
    quantity.name = u"Этанол";
    quantity.detected = true;
    quantity.valid = true;
    quantity.concentration = 1.5;
    quantity.contributions = 1;
    result.quantitation = {quantity};

    for (bool hideNotFound : {false, true}) {
        const std::u16string text = buildSourceXml(assays, result, hideNotFound, u"10.12.2026 9:00:00");
        xmlDocPtr read = xmlReadMemory(reinterpret_cast<const char*>(text.data()),
                                       static_cast<int>(text.size() * sizeof(char16_t)), "report.xml", "UTF-16LE",
                                       XML_PARSE_NONET);
        ASSERT_NE(read, nullptr);
        xmlDocPtr built = buildSourceTree(assays, result, hideNotFound, u"10.12.2026 9:00:00", "report.xml");
        ASSERT_NE(built, nullptr);
        EXPECT_EQ(dumped(built), dumped(read)) << "hideNotFound " << hideNotFound;
        ASSERT_NE(built->URL, nullptr);
        EXPECT_STREQ(reinterpret_cast<const char*>(built->URL), reinterpret_cast<const char*>(read->URL));
        EXPECT_STREQ(reinterpret_cast<const char*>(built->encoding), reinterpret_cast<const char*>(read->encoding));
        xmlFreeDoc(read);
        xmlFreeDoc(built);
    }
    setTheMessageLog(nullptr);
}

#include "report/XmlTreeWriter.h"

#include <libxml/dict.h>

// A message is written as its category's prefix and its text, in two parts: for every split, the
// text and the tree must be what the joined value gives, a surrogate pair cut in two included.
TEST(ReportSourceTree, AValueWrittenInTwoPartsIsTheJoinedValue)
{
    const std::pair<std::u16string, std::u16string> splits[] = {
        {u"Предупреждение: ", u"\"Бензол\": a < b && c > d"},
        {u"", u"only the second"},
        {u"only the first", u""},
        {u"pair cut \xD83D", u"\xDE00 in two"},
        {u"lone high \xD83D", u"x"},
        {u"tab\tand\x01", u"\nline\r"},
        {u"\uFFFE", u"\uFFFF"},
    };
    xmlDictPtr names = xmlDictCreate();
    ASSERT_NE(names, nullptr);
    for (const auto& [first, second] : splits) {
        const std::u16string joined = first + second;
        std::u16string twoParts, onePart;
        XmlTextWriter a(twoParts), b(onePart);
        for (const auto& [writer, split] : {std::pair {&a, true}, std::pair {&b, false}}) {
            writer->startElement(u"row");
            if (split)
                writer->attribute(u"msg_str", first, second);
            else
                writer->attribute(u"msg_str", joined);
            writer->endElement();
        }
        EXPECT_EQ(twoParts, onePart) << platform::utf16ToUtf8(joined);

        XmlTreeWriter splitTree("report.xml", names), joinedTree("report.xml");
        for (const auto& [tree, split] : {std::pair {&splitTree, true}, std::pair {&joinedTree, false}}) {
            tree->declaration(u"UTF-16LE");
            tree->startElement(u"row");
            if (split)
                tree->attribute(u"msg_str", first, second);
            else
                tree->attribute(u"msg_str", joined);
            tree->endElement();
        }
        xmlDocPtr built = splitTree.release();
        xmlDocPtr reference = joinedTree.release();
        EXPECT_EQ(dumped(built), dumped(reference)) << platform::utf16ToUtf8(joined);
        // The names are the given dictionary's own strings.
        ASSERT_NE(xmlDocGetRootElement(built), nullptr);
        EXPECT_EQ(built->dict, names);
        EXPECT_EQ(xmlDocGetRootElement(built)->name, xmlDictLookup(names, BAD_CAST "row", -1));
        EXPECT_EQ(xmlDocGetRootElement(built)->properties->name, xmlDictLookup(names, BAD_CAST "msg_str", -1));
        xmlFreeDoc(built);
        xmlFreeDoc(reference);
    }
    // Each document held its own reference: the dictionary is still ours to free.
    xmlDictFree(names);
}
