#include "XsltAlone.h"

#include <libxml/parser.h>
#include <libxslt/transform.h>
#include <libxslt/xsltInternals.h>
#include <libxslt/xsltutils.h>

#include <memory>

namespace {

struct DocDeleter {
    void operator()(xmlDocPtr doc) const { xmlFreeDoc(doc); }
};
struct StylesheetDeleter {
    void operator()(xsltStylesheetPtr style) const { xsltFreeStylesheet(style); }
};

} // namespace

std::string transformWithXslt(const std::u16string& sourceXml, const std::string& templatePath, std::string& error)
{
    std::unique_ptr<xmlDoc, DocDeleter> source(xmlReadMemory(reinterpret_cast<const char*>(sourceXml.data()),
                                                             static_cast<int>(sourceXml.size() * sizeof(char16_t)),
                                                             "report.xml", "UTF-16LE", XML_PARSE_NONET));
    if (!source) {
        error = "the source document does not parse";
        return {};
    }
    xmlDocPtr templateDocument = xmlReadFile(templatePath.c_str(), nullptr, XML_PARSE_NONET | XML_PARSE_NOENT);
    std::unique_ptr<xsltStylesheet, StylesheetDeleter> stylesheet(templateDocument ? xsltParseStylesheetDoc(templateDocument)
                                                                                   : nullptr);
    if (!stylesheet) {
        xmlFreeDoc(templateDocument);
        error = "the template does not parse";
        return {};
    }
    std::unique_ptr<xmlDoc, DocDeleter> result(xsltApplyStylesheet(stylesheet.get(), source.get(), nullptr));
    xmlChar* text = nullptr;
    int length = 0;
    if (!result || xsltSaveResultToString(&text, &length, result.get(), stylesheet.get()) != 0 || !text) {
        error = "the transformation failed";
        return {};
    }
    std::string html(reinterpret_cast<const char*>(text), static_cast<std::size_t>(length));
    xmlFree(text);
    return html;
}
