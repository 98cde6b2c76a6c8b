#include "report/ReportDocument.h"

#include "engine/MessageLog.h"
#include "engine/RowPresentation.h"
#include "platform/Format.h"
#include "platform/Paths.h"
#include "platform/Text.h"
#include "report/LocalDateTime.h"
#include "report/XmlTextWriter.h"
#include "report/XmlTreeWriter.h"

namespace {

template <typename Writer>
void appendFiles(Writer& xml, const AssayMap& assays)
{
    xml.startElement(u"files");
    long long number = 0;
    for (const auto& [id, assay] : assays) {
        xml.startElement(u"row");
        xml.attribute(u"number", ++number);
        xml.attribute(u"fileName", platform::fileNamePart(assay.fileName));
        xml.attribute(u"sample", assay.sample);
        xml.attribute(u"date", formatLocalDateTime(assay.date));
        xml.attribute(u"type", assay.isCalibration ? u"Градуировочная" : u"Анализ");
        xml.attribute(u"mixture", assay.mixture);
        xml.endElement();
    }
    xml.endElement();
}

std::u16string coefficientText(const CalibrationRow& row, double value)
{
    return row.fitted ? platform::format(u"%.4g", {value}) : u"---";
}

template <typename Writer>
void appendCalibration(Writer& xml, const CalculationResult& result, bool hideNotFound)
{
    xml.startElement(u"calibration");
    long long number = 0;
    for (const CalibrationRow& line : result.calibration) {
        if (hideNotFound && !line.fitted)
            continue;
        xml.startElement(u"row");
        xml.attribute(u"number", ++number);
        xml.attribute(u"name", line.name);
        xml.attribute(u"mainChannel", static_cast<long long>(line.mainChannel));
        xml.attribute(u"k0", coefficientText(line, line.k0));
        xml.attribute(u"k1", coefficientText(line, line.k1));
        xml.attribute(u"nPoints", static_cast<long long>(line.pointCount));
        xml.endElement();
    }
    xml.endElement();
}

template <typename Writer>
void appendCalculation(Writer& xml, const CalculationResult& result, bool hideNotFound)
{
    xml.startElement(u"calculation");
    long long number = 0;
    for (const QuantitationRow& line : result.quantitation) {
        if (hideNotFound && !line.detected)
            continue;
        xml.startElement(u"row");
        xml.attribute(u"number", ++number);
        xml.attribute(u"name", line.name);
        xml.attribute(u"status", quantitationStatusText(line));
        xml.attribute(u"concent", quantitationConcentrationText(line));
        xml.endElement();
    }
    xml.endElement();
}

template <typename Writer>
void appendMessages(Writer& xml)
{
    xml.startElement(u"messages");
    if (const MessageLog* log = theMessageLog()) {
        // Each message with its category's prefix, written in two parts rather than joined first.
        log->visitFlattened([&xml](std::u16string_view prefix, std::u16string_view text) {
            xml.startElement(u"row");
            xml.attribute(u"msg_str", prefix, text);
            xml.endElement();
        });
    }
    xml.endElement();
}

} // namespace

std::u16string xmlSafeText(std::u16string_view text)
{
    std::u16string safe(text);
    for (char16_t& unit : safe) {
        const bool control = unit < 0x20 && unit != u'\t' && unit != u'\n' && unit != u'\r';
        if (control || unit == 0xFFFE || unit == 0xFFFF)
            unit = u'\uFFFD';
    }
    return safe;
}

namespace {

// One definition of the document's contents, written as text or built as a tree.
template <typename Writer>
void writeDocument(Writer& xml, const AssayMap& assays, const CalculationResult& result, bool hideNotFound,
                   std::u16string_view dateCreated)
{
    xml.declaration(u"UTF-16LE");
    xml.startElement(u"root");
    xml.attribute(u"date_created", dateCreated);
    xml.attribute(u"prog_version", u" 1.0.0.0");
    appendFiles(xml, assays);
    appendCalibration(xml, result, hideNotFound);
    appendCalculation(xml, result, hideNotFound);
    appendMessages(xml);
    xml.endElement();
}

} // namespace

std::u16string buildSourceXml(const AssayMap& assays, const CalculationResult& result, bool hideNotFound)
{
    return buildSourceXml(assays, result, hideNotFound, formatLocalDateTime(currentTimeSeconds()));
}

std::u16string buildSourceXml(const AssayMap& assays, const CalculationResult& result, bool hideNotFound,
                              std::u16string_view dateCreated)
{
    std::u16string text;
    // Messages make most of a large document: one reservation instead of many regrowths.
    if (const MessageLog* log = theMessageLog())
        text.reserve(4096 + (log->errors().size() + log->warnings().size() + log->infos().size()) * 128);
    XmlTextWriter xml(text);
    writeDocument(xml, assays, result, hideNotFound, dateCreated);
    return text;
}

_xmlDoc* buildSourceTree(const AssayMap& assays, const CalculationResult& result, bool hideNotFound,
                         std::u16string_view dateCreated, const char* url, _xmlDict* names)
{
    XmlTreeWriter tree(url, names);
    writeDocument(tree, assays, result, hideNotFound, dateCreated);
    return tree.release();
}
