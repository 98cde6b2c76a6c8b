#pragma once
// The XML and XSLT engine's settings for one report step. While a session lives, everything
// libxml2 and libxslt would print is collected instead (the product never writes to the
// terminal), and no external resource is loaded at all: no entity, DTD, import or document().
// The previous handlers are put back when the session ends.
#include <string>

#include <libxml/parser.h>
#include <libxml/xmlerror.h>

class LibxmlSession {
public:
    LibxmlSession();
    ~LibxmlSession();
    LibxmlSession(const LibxmlSession&) = delete;
    LibxmlSession& operator=(const LibxmlSession&) = delete;

    // What the engine reported since the session began, one message per line, UTF-8.
    const std::string& messages() const { return messages_; }
    // The collected messages, or `fallback` when the engine said nothing.
    std::string messagesOr(const std::string& fallback) const;

    // Handlers for the engine; public so that a transformation context can be pointed at them.
    static void collectGeneric(void* session, const char* format, ...);
    static void collectStructured(void* session, xmlErrorPtr error);

private:
    void append(const std::string& text);

    std::string messages_;
    std::string partialLine_;
    bool lostMessages_ = false;

    xmlGenericErrorFunc previousGeneric_;
    void* previousGenericContext_;
    xmlStructuredErrorFunc previousStructured_;
    void* previousStructuredContext_;
    xmlGenericErrorFunc previousXsltGeneric_;
    void* previousXsltGenericContext_;
    xmlExternalEntityLoader previousLoader_;
    LibxmlSession* previousActive_ = nullptr;
};
