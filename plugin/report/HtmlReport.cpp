#include "report/HtmlReport.h"

#include "platform/Format.h"
#include "platform/FileSeam.h"
#include "platform/Paths.h"
#include "platform/PrivateTempFolder.h"
#include "platform/Text.h"
#include "report/ComError.h"
#include "report/LibxmlSession.h"
#include "report/ReportDocument.h"
#include "report/ReportFailure.h"
#include "report/ReportUserInterface.h"
#include "report/LocalDateTime.h"

#include <memory>
#include <new>

#include <libxml/entities.h>
#include <libxml/hash.h>
#include <libxml/encoding.h>
#include <libxml/parser.h>
#include <libxml/xmlIO.h>
#include <libxml/tree.h>
#include <libxslt/imports.h>
#include <libxslt/security.h>
#include <libxslt/transform.h>
#include <libxslt/xsltInternals.h>
#include <libxslt/xsltutils.h>
#include <unicode/ucnv.h>

namespace {

// The template is first read without substituting or loading anything. Only when every entity it
// declares is its own text (&nbsp; and the like) is it read again with those substituted, which the
// engine needs to copy them into the report. An external entity or DTD is refused: it could read a
// local file into the report or block on a FIFO.
constexpr int stylesheetInspectOptions = XML_PARSE_NONET | XML_PARSE_NOCDATA;
constexpr int stylesheetParseOptions = stylesheetInspectOptions | XML_PARSE_NOENT;
// Documents a template opens with document(): read as data, never expanded or fetched remotely.
constexpr int loadedDocumentParseOptions = XML_PARSE_NONET | XML_PARSE_NOCDATA;
// A template recursing deeper than this is broken; stop it before it exhausts the stack.
constexpr int maxTemplateDepth = 1000;

struct DocDeleter {
    void operator()(xmlDocPtr doc) const { xmlFreeDoc(doc); }
};
using DocHandle = std::unique_ptr<xmlDoc, DocDeleter>;

struct StylesheetDeleter {
    void operator()(xsltStylesheetPtr style) const { xsltFreeStylesheet(style); }
};
using StylesheetHandle = std::unique_ptr<xsltStylesheet, StylesheetDeleter>;

struct TransformContextDeleter {
    void operator()(xsltTransformContextPtr context) const { xsltFreeTransformContext(context); }
};
using TransformContextHandle = std::unique_ptr<xsltTransformContext, TransformContextDeleter>;

struct SecurityPrefsDeleter {
    void operator()(xsltSecurityPrefsPtr prefs) const { xsltFreeSecurityPrefs(prefs); }
};
using SecurityPrefsHandle = std::unique_ptr<xsltSecurityPrefs, SecurityPrefsDeleter>;

struct XmlCharDeleter {
    void operator()(xmlChar* text) const { xmlFree(text); }
};
using XmlCharHandle = std::unique_ptr<xmlChar, XmlCharDeleter>;

const char templateRelativePath[] = "/Vantrel4/Templates/vexol/Report.xsl";

void noteExternalEntity(void* payload, void* found, const xmlChar* name)
{
    const auto* entity = static_cast<const xmlEntity*>(payload);
    auto* firstName = static_cast<std::string*>(found);
    if (!entity || !firstName->empty())
        return;
    if (entity->etype != XML_INTERNAL_GENERAL_ENTITY && entity->etype != XML_INTERNAL_PARAMETER_ENTITY &&
        entity->etype != XML_INTERNAL_PREDEFINED_ENTITY)
        *firstName = name ? reinterpret_cast<const char*>(name) : "?";
}

// The first outside resource the template's document type refers to; empty when there is none.
std::string externalDeclaration(xmlDocPtr document)
{
    if (document->extSubset)
        return "the external document type";
    xmlDtdPtr subset = document->intSubset;
    if (!subset)
        return {};
    if (subset->SystemID || subset->ExternalID)
        return "the external document type";
    std::string found;
    if (subset->entities)
        xmlHashScan(static_cast<xmlHashTablePtr>(subset->entities), noteExternalEntity, &found);
    if (found.empty() && subset->pentities)
        xmlHashScan(static_cast<xmlHashTablePtr>(subset->pentities), noteExternalEntity, &found);
    return found.empty() ? std::string() : "the entity \"" + found + "\"";
}

// Parses template text; null when it is not well-formed XML. Raises ReportFailure for a template
// that refers to an outside resource.
DocHandle parseStylesheetText(std::string_view bytes, const std::string& url, const char* encoding,
                              const char* failure)
{
    if (bytes.size() > static_cast<std::size_t>(INT32_MAX))
        return nullptr;
    const int length = static_cast<int>(bytes.size());
    DocHandle inspected(xmlReadMemory(bytes.data(), length, url.c_str(), encoding, stylesheetInspectOptions));
    if (!inspected || (!inspected->intSubset && !inspected->extSubset))
        return inspected;
    const std::string external = externalDeclaration(inspected.get());
    if (!external.empty())
        throw ReportFailure(std::string(failure) + "\nThe template refers to an outside resource (" + external +
                            "); a report template may read nothing but itself.");
    return DocHandle(xmlReadMemory(bytes.data(), length, url.c_str(), encoding, stylesheetParseOptions));
}

// The stylesheet may read no document but the source and itself, write no file, create no folder
// and reach no network.
SecurityPrefsHandle makeSandbox(xsltTransformContextPtr context)
{
    SecurityPrefsHandle prefs(xsltNewSecurityPrefs());
    if (!prefs)
        throw std::bad_alloc();
    const xsltSecurityOption forbidden[] = {XSLT_SECPREF_READ_FILE,     XSLT_SECPREF_WRITE_FILE,
                                            XSLT_SECPREF_CREATE_DIRECTORY, XSLT_SECPREF_READ_NETWORK,
                                            XSLT_SECPREF_WRITE_NETWORK};
    for (xsltSecurityOption option : forbidden)
        xsltSetSecurityPrefs(prefs.get(), option, xsltSecurityForbid);
    if (xsltSetCtxtSecurityPrefs(prefs.get(), context) != 0)
        throw ComError(E_FAIL_CODE, "The XSLT engine refused the security settings.");
    return prefs;
}

// The text of the serialised result in the encoding the template's xsl:output asked for.
std::u16string decodeResult(const std::string& bytes, const xmlChar* encoding)
{
    if (!encoding || xmlStrcasecmp(encoding, BAD_CAST "UTF-8") == 0)
        return platform::utf8ToUtf16(bytes);
    UErrorCode status = U_ZERO_ERROR;
    UConverter* converter = ucnv_open(reinterpret_cast<const char*>(encoding), &status);
    if (U_FAILURE(status))
        return platform::utf8ToUtf16(bytes);
    std::u16string text(bytes.size() + 1, u'\0');
    int32_t length = ucnv_toUChars(converter, reinterpret_cast<UChar*>(text.data()), static_cast<int32_t>(text.size()),
                                   bytes.data(), static_cast<int32_t>(bytes.size()), &status);
    ucnv_close(converter);
    if (U_FAILURE(status))
        return platform::utf8ToUtf16(bytes);
    text.resize(static_cast<std::size_t>(length));
    return text;
}

// The serialiser's output goes straight into a string: no buffer of the serialiser's own that
// grows by doubling, and no copies of it.
int appendToString(void* context, const char* bytes, int length)
{
    try {
        static_cast<std::string*>(context)->append(bytes, static_cast<std::size_t>(length));
        return length;
    } catch (const std::bad_alloc&) {
        return -1;  // the serialiser stops and reports the failure
    }
}

// The result in the encoding the template's xsl:output asks for (UTF-8 when it names none), as
// xsltSaveResultToString writes it. False when the encoding is unknown or the text could not be
// stored.
bool serialiseResult(xmlDocPtr result, xsltStylesheetPtr stylesheet, const xmlChar* encoding, std::string& out)
{
    out.clear();
    if (!result->children)
        return true;
    xmlCharEncodingHandlerPtr encoder = nullptr;
    if (encoding) {
        encoder = xmlFindCharEncodingHandler(reinterpret_cast<const char*>(encoding));
        if (encoder && xmlStrEqual(reinterpret_cast<const xmlChar*>(encoder->name), BAD_CAST "UTF-8"))
            encoder = nullptr;
    }
    xmlOutputBufferPtr buffer = xmlOutputBufferCreateIO(&appendToString, nullptr, &out, encoder);
    if (!buffer) {
        if (encoder)
            xmlCharEncCloseFunc(encoder);
        return false;
    }
    const int written = xsltSaveResultTo(buffer, result, stylesheet);
    const int closed = xmlOutputBufferClose(buffer);
    return written >= 0 && closed >= 0;
}

} // namespace

HtmlReport::HtmlReport(const AssayMap& assays, const CalculationResult& result, bool open, bool hideNotFound,
                       ReportUserInterface& ui, std::u16string templatePath)
    : assays_(assays), result_(result), hideNotFound_(hideNotFound), ui_(ui), templatePath_(std::move(templatePath))
{
    succeeded_ = create();
    if (succeeded_ && open)
        ui_.openWithShell(outputPath_);
}

std::u16string HtmlReport::installedTemplatePath()
{
    std::u16string folder = platform::publicDocumentsFolder();
    if (folder.empty())
        return {};
    return folder + platform::utf8ToUtf16(templateRelativePath);
}

bool HtmlReport::create()
{
    if (!loadTemplate())
        return false;
    try {
        dateCreated_ = formatLocalDateTime(currentTimeSeconds());
        sourceBuilt_ = true;
        transform();
        return true;
    } catch (const std::exception& failure) {
        showCreateFailure(failure);
    } catch (...) {
        // An exception of a foreign type from a library below: no text, but a failed report all
        // the same.
        showCreateFailure(std::runtime_error("Unknown failure."));
    }
    return false;
}

void HtmlReport::showCreateFailure(const std::exception& failure)
{
    if (const auto* com = dynamic_cast<const ComError*>(&failure))
        ui_.showError(platform::format(u"Ошибка %d. Не удалось создать отчёт.\n%s",
                                       {com->hresult(), platform::utf8ToUtf16(com->message())}));
    else
        ui_.showError(platform::format(u"Не удалось создать отчёт.\n%s", {platform::utf8ToUtf16(failure.what())}));
}

bool HtmlReport::loadTemplate()
{
    try {
        if (templatePath_.empty())
            templatePath_ = installedTemplatePath();
        if (templatePath_.empty())
            return false;
        LibxmlSession session;
        std::string bytes;
        platform::FileError fileError;  // a FIFO or folder is refused here, never waited on
        if (!platform::readRegularFile(templatePath_, bytes, fileError))
            throw ReportFailure("Error parsing XSLT Document instance.");
        const std::string url = platform::nativePath(templatePath_);
        DocHandle document = parseStylesheetText(bytes, url, nullptr, "Error parsing XSLT Document instance.");
        if (!document)
            throw ReportFailure("Error parsing XSLT Document instance.");
        xmlChar* dumped = nullptr;
        int dumpedLength = 0;
        xmlDocDumpMemoryEnc(document.get(), &dumped, &dumpedLength, "UTF-8");
        XmlCharHandle dumpedText(dumped);
        if (!dumpedText || dumpedLength < 0)
            throw ReportFailure("Failed to save result document.");
        templateXml_ = platform::utf8ToUtf16(
            std::string_view(reinterpret_cast<const char*>(dumpedText.get()), static_cast<std::size_t>(dumpedLength)));
        return true;
    } catch (const ComError& failure) {
        ui_.showError(platform::format(u"Ошибка %d. Не удалось загрузить шаблон отчёта.\n%s",
                                       {failure.hresult(), platform::utf8ToUtf16(failure.message())}));
    } catch (const std::exception& failure) {
        ui_.showError(platform::format(u"Не удалось загрузить шаблон отчёта.\n%s", {platform::utf8ToUtf16(failure.what())}));
    } catch (...) {
        // As in create(): a foreign exception fails the template step with a message.
        ui_.showError(u"Не удалось загрузить шаблон отчёта.\nUnknown failure.");
    }
    return false;
}

void HtmlReport::transform()
{
    LibxmlSession session;

    const std::string templateBytes = platform::utf16ToUtf8(templateXml_);
    const std::string templateUrl = platform::nativePath(templatePath_);
    DocHandle stylesheetDocument =
        parseStylesheetText(templateBytes, templateUrl, "UTF-8", "Error parsing Stylesheet Document instance.");
    if (!stylesheetDocument)
        throw ReportFailure("Error parsing Stylesheet Document instance.");

    StylesheetHandle stylesheet(xsltParseStylesheetDoc(stylesheetDocument.get()));
    if (!stylesheet)
        throw ComError(E_FAIL_CODE, session.messagesOr("The template is not a valid XSLT stylesheet."));
    stylesheetDocument.release();  // the stylesheet owns it now

    // The report document goes to the engine as its own tree: the same tree as reading its text
    // would give, without writing and reading some megabytes of text first. Its names are the
    // stylesheet's own strings, so the engine matches them by address rather than by comparing
    // texts. The source is declared after the stylesheet and so freed before it; it holds its
    // own reference to the dictionary all the same.
    DocHandle source(buildSourceTree(assays_, result_, hideNotFound_, dateCreated_, "report.xml", stylesheet->dict));

    TransformContextHandle context(xsltNewTransformContext(stylesheet.get(), source.get()));
    if (!context)
        throw std::bad_alloc();
    xsltSetTransformErrorFunc(context.get(), &session, &LibxmlSession::collectGeneric);
    context->maxTemplateDepth = maxTemplateDepth;
    xsltSetCtxtParseOptions(context.get(), loadedDocumentParseOptions);
    SecurityPrefsHandle sandbox = makeSandbox(context.get());

    DocHandle resultDocument(
        xsltApplyStylesheetUser(stylesheet.get(), source.get(), nullptr, nullptr, nullptr, context.get()));
    if (!resultDocument || context->state != XSLT_STATE_OK)
        throw ComError(E_FAIL_CODE, session.messagesOr("The XSLT transformation failed."));
    context.reset();

    const xmlChar* encoding = nullptr;
    XSLT_GET_IMPORT_PTR(encoding, stylesheet.get(), encoding);
    std::string html;
    if (!serialiseResult(resultDocument.get(), stylesheet.get(), encoding, html))
        throw ReportFailure("Failed to load result document.");
    // The result tree is large and no longer needed: freed before the file is written.
    resultDocument.reset();
    source.reset();
    resultEncoding_ = encoding ? reinterpret_cast<const char*>(encoding) : "";
    resultBytes_ = std::move(html);
    resultText_.clear();
    resultDecoded_ = false;

    // Only now is there a file to name: a report that could not be written leaves outputPath
    // empty, so Save Report offers no dialog for it.
    platform::FileError fileError;
    std::u16string written = platform::createPrivateTempFile(u"vtl", u".html", resultBytes_, fileError);
    if (written.empty())
        throw ComError(E_FAIL_CODE, "Could not create a temporary file for the report. " + fileError.messageUtf8());
    outputPath_ = std::move(written);
}

const std::u16string& HtmlReport::sourceXml() const
{
    if (sourceBuilt_ && !sourceWritten_) {
        sourceXml_ = buildSourceXml(assays_, result_, hideNotFound_, dateCreated_);
        sourceWritten_ = true;
    }
    return sourceXml_;
}

const std::u16string& HtmlReport::resultText() const
{
    if (!resultDecoded_) {
        resultText_ = decodeResult(resultBytes_, resultEncoding_.empty()
                                                     ? nullptr
                                                     : reinterpret_cast<const xmlChar*>(resultEncoding_.c_str()));
        resultDecoded_ = true;
    }
    return resultText_;
}
