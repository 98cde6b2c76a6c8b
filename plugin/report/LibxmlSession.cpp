#include "report/LibxmlSession.h"

#include <cstdarg>
#include <cstdio>
#include <new>
#include <vector>

#include <libxml/xmlIO.h>
#include <libxslt/xsltutils.h>

namespace {

// Messages beyond this are dropped: a broken template can produce one per node.
constexpr std::size_t maxCollectedBytes = 16 * 1024;

// The session whose collector the refusals below are reported to; the report runs on one thread.
thread_local LibxmlSession* activeSession = nullptr;

// A report reads nothing but its template and its source document, both handed over in memory:
// every external entity, DTD, import or document() that reaches the loader is refused, so a
// template can neither copy a local file into the report nor hang on a FIFO.
xmlParserInputPtr refuseExternalResource(const char* url, const char*, xmlParserCtxtPtr)
{
    if (activeSession)
        LibxmlSession::collectGeneric(activeSession, "Reading \"%s\" is not allowed in a report.\n",
                                      url ? url : "(unnamed resource)");
    return nullptr;
}

} // namespace

LibxmlSession::LibxmlSession()
{
    xmlInitParser();
    previousGeneric_ = xmlGenericError;
    previousGenericContext_ = xmlGenericErrorContext;
    previousStructured_ = xmlStructuredError;
    previousStructuredContext_ = xmlStructuredErrorContext;
    previousXsltGeneric_ = xsltGenericError;
    previousXsltGenericContext_ = xsltGenericErrorContext;
    previousLoader_ = xmlGetExternalEntityLoader();

    xmlSetGenericErrorFunc(this, &LibxmlSession::collectGeneric);
    xmlSetStructuredErrorFunc(this, &LibxmlSession::collectStructured);
    xsltSetGenericErrorFunc(this, &LibxmlSession::collectGeneric);
    xmlSetExternalEntityLoader(refuseExternalResource);
    previousActive_ = activeSession;
    activeSession = this;
}

LibxmlSession::~LibxmlSession()
{
    activeSession = previousActive_;
    xmlSetExternalEntityLoader(previousLoader_);
    xsltSetGenericErrorFunc(previousXsltGenericContext_, previousXsltGeneric_);
    xmlSetStructuredErrorFunc(previousStructuredContext_, previousStructured_);
    xmlSetGenericErrorFunc(previousGenericContext_, previousGeneric_);
}

std::string LibxmlSession::messagesOr(const std::string& fallback) const
{
    std::string text = messages_;
    if (!partialLine_.empty())
        text += partialLine_;
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    if (text.empty())
        text = fallback;
    if (lostMessages_)
        text += "\n(Some messages of the XML engine were lost: out of memory.)";
    return text;
}

void LibxmlSession::append(const std::string& text)
{
    // Generic messages arrive in pieces; a line is complete at its line break.
    partialLine_ += text;
    std::size_t end;
    while ((end = partialLine_.find('\n')) != std::string::npos) {
        if (messages_.size() < maxCollectedBytes)
            messages_.append(partialLine_, 0, end + 1);
        partialLine_.erase(0, end + 1);
    }
    if (partialLine_.size() > maxCollectedBytes)
        partialLine_.resize(maxCollectedBytes);
}

// The two collectors are called from inside libxml2 and libxslt, C code that an exception must
// never unwind through. Collecting needs memory; when there is none the message is lost, and the
// step that raised it fails by its own result all the same.
void LibxmlSession::collectGeneric(void* session, const char* format, ...)
{
    if (!session || !format)
        return;
    va_list args;
    va_start(args, format);
    try {
        va_list copy;
        va_copy(copy, args);
        int length = std::vsnprintf(nullptr, 0, format, copy);
        va_end(copy);
        if (length > 0) {
            std::vector<char> buffer(static_cast<std::size_t>(length) + 1);
            std::vsnprintf(buffer.data(), buffer.size(), format, args);
            static_cast<LibxmlSession*>(session)->append(std::string(buffer.data(), static_cast<std::size_t>(length)));
        }
    } catch (const std::bad_alloc&) {
        static_cast<LibxmlSession*>(session)->lostMessages_ = true;
    }
    va_end(args);
}

void LibxmlSession::collectStructured(void* session, xmlErrorPtr error)
{
    if (!session || !error)
        return;
    try {
        std::string line;
        if (error->file) {
            line += error->file;
            line += ':';
        }
        if (error->line > 0)
            line += std::to_string(error->line) + ": ";
        else if (error->file)
            line += ' ';
        line += error->message ? error->message : "XML error";
        if (line.empty() || line.back() != '\n')
            line += '\n';
        static_cast<LibxmlSession*>(session)->append(line);
    } catch (const std::bad_alloc&) {
        static_cast<LibxmlSession*>(session)->lostMessages_ = true;
    }
}
