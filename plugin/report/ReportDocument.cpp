#include "report/ReportDocument.h"

#include "engine/MessageLog.h"
#include "engine/RowPresentation.h"
#include "platform/Format.h"
#include "platform/Paths.h"
#include "platform/Text.h"
#include "report/LocalDateTime.h"
#include "report/XmlWriterSource.h"

#include <pugixml.hpp>

#include <new>

namespace {

// pugixml is a UTF-8 build here; texts cross into it at this one place.
void setText(pugi::xml_node node, const char* attribute, std::u16string_view value)
{
    node.append_attribute(attribute).set_value(platform::utf16ToUtf8(xmlSafeText(value)).c_str());
}

// Numbers are formatted by our own C-locale formatter: pugixml's own conversions follow the
// process locale.
void setInteger(pugi::xml_node node, const char* attribute, long long value)
{
    node.append_attribute(attribute).set_value(platform::format8("%d", {value}).c_str());
}

void appendFiles(pugi::xml_node root, const AssayMap& assays)
{
    pugi::xml_node files = root.append_child("files");
    long long number = 0;
    for (const auto& [id, assay] : assays) {
        pugi::xml_node row = files.append_child("row");
        setInteger(row, "number", ++number);
        setText(row, "fileName", platform::fileNamePart(assay.fileName));
        setText(row, "sample", assay.sample);
        setText(row, "date", formatLocalDateTime(assay.date));
        setText(row, "type", assay.isCalibration ? u"Градуировочная" : u"Анализ");
        setText(row, "mixture", assay.mixture);
    }
}

std::u16string coefficientText(const CalibrationRow& row, double value)
{
    return row.fitted ? platform::format(u"%.4g", {value}) : u"---";
}

void appendCalibration(pugi::xml_node root, const CalculationResult& result, bool hideNotFound)
{
    pugi::xml_node calibration = root.append_child("calibration");
    long long number = 0;
    for (const CalibrationRow& line : result.calibration) {
        if (hideNotFound && !line.fitted)
            continue;
        pugi::xml_node row = calibration.append_child("row");
        setInteger(row, "number", ++number);
        setText(row, "name", line.name);
        setInteger(row, "mainChannel", line.mainChannel);
        setText(row, "k0", coefficientText(line, line.k0));
        setText(row, "k1", coefficientText(line, line.k1));
        setInteger(row, "nPoints", line.pointCount);
    }
}

void appendCalculation(pugi::xml_node root, const CalculationResult& result, bool hideNotFound)
{
    pugi::xml_node calculation = root.append_child("calculation");
    long long number = 0;
    for (const QuantitationRow& line : result.quantitation) {
        if (hideNotFound && !line.detected)
            continue;
        pugi::xml_node row = calculation.append_child("row");
        setInteger(row, "number", ++number);
        setText(row, "name", line.name);
        setText(row, "status", quantitationStatusText(line));
        setText(row, "concent", quantitationConcentrationText(line));
    }
}

void appendMessages(pugi::xml_node root)
{
    pugi::xml_node messages = root.append_child("messages");
    const MessageLog* log = theMessageLog();
    if (!log)
        return;
    for (const std::u16string& line : log->flattened())
        setText(messages.append_child("row"), "msg_str", line);
}

// This pugixml leaves ">" bare inside attribute values, which XML allows; the report document
// escapes it as well, so that every markup character of a message reaches the template escaped.
// Every value is an attribute and a double quote inside one is always escaped, so a quote opens
// or closes a value.
void escapeGreaterThanInAttributes(std::u16string& text)
{
    auto firstInsideValue = [&text]() -> std::size_t {
        bool insideValue = false;
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] == u'"')
                insideValue = !insideValue;
            else if (text[i] == u'>' && insideValue)
                return i;
        }
        return std::u16string::npos;
    };
    const std::size_t first = firstInsideValue();
    if (first == std::u16string::npos)
        return;
    std::u16string escaped;
    escaped.reserve(text.size() + 64);
    escaped.append(text, 0, first);
    bool insideValue = true;
    for (std::size_t i = first; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c == u'"')
            insideValue = !insideValue;
        if (c == u'>' && insideValue)
            escaped += u"&gt;";
        else
            escaped += c;
    }
    text = std::move(escaped);
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

std::u16string buildSourceXml(const AssayMap& assays, const CalculationResult& result, bool hideNotFound)
{
    pugi::xml_document document;
    pugi::xml_node declaration = document.append_child(pugi::node_declaration);
    declaration.append_attribute("version").set_value("1.0");
    declaration.append_attribute("encoding").set_value("UTF-16LE");

    pugi::xml_node root = document.append_child("root");
    setText(root, "date_created", formatLocalDateTime(currentTimeSeconds()));
    root.append_attribute("prog_version").set_value(" 1.0.0.0");

    appendFiles(root, assays);
    appendCalibration(root, result, hideNotFound);
    appendCalculation(root, result, hideNotFound);
    appendMessages(root);

    std::u16string text;
    xml_writer_source writer(&text);
    document.save(writer, "", pugi::format_raw, pugi::encoding_utf16_le);
    // A text the writer could not take whole would be a report with rows missing.
    if (writer.failed())
        throw std::bad_alloc();
    escapeGreaterThanInAttributes(text);
    return text;
}
