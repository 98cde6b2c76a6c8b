#include "report/XmlTreeWriter.h"

#include <libxml/tree.h>

#include <charconv>
#include <new>

namespace {

bool isHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool isLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

void appendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

// The value as the reader of the text gets it back: UTF-8, with every character XML cannot carry
// (control characters other than tab, line feed and carriage return, U+FFFE, U+FFFF, unpaired
// surrogates) as U+FFFD.
void toSafeUtf8(std::u16string_view value, std::string& out)
{
    out.clear();
    out.reserve(value.size() * 2);
    for (std::size_t i = 0; i < value.size(); ++i) {
        const char16_t unit = value[i];
        if (unit < 0x80 && (unit >= 0x20 || unit == u'\t' || unit == u'\n' || unit == u'\r')) {
            out.push_back(static_cast<char>(unit));
            continue;
        }
        char32_t c = unit;
        if (unit < 0x20 || unit == 0xFFFE || unit == 0xFFFF || isLowSurrogate(unit))
            c = 0xFFFD;
        else if (isHighSurrogate(unit)) {
            if (i + 1 < value.size() && isLowSurrogate(value[i + 1])) {
                c = 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) + (value[i + 1] - 0xDC00);
                ++i;
            } else {
                c = 0xFFFD;
            }
        }
        appendUtf8(out, c);
    }
}

const xmlChar* xml(const std::string& text) { return reinterpret_cast<const xmlChar*>(text.c_str()); }

} // namespace

XmlTreeWriter::XmlTreeWriter(const char* url)
{
    doc_ = xmlNewDoc(BAD_CAST "1.0");
    if (!doc_)
        throw std::bad_alloc();
    if (url) {
        doc_->URL = xmlStrdup(BAD_CAST url);
        if (!doc_->URL)
            throw std::bad_alloc();
    }
}

XmlTreeWriter::~XmlTreeWriter()
{
    if (doc_)
        xmlFreeDoc(doc_);
}

void XmlTreeWriter::declaration(std::u16string_view encoding)
{
    toSafeUtf8(encoding, utf8_);
    if (doc_->encoding)
        xmlFree(const_cast<xmlChar*>(doc_->encoding));
    doc_->encoding = xmlStrdup(xml(utf8_));
    if (!doc_->encoding)
        throw std::bad_alloc();
}

void XmlTreeWriter::startElement(std::u16string_view name)
{
    toSafeUtf8(name, utf8_);
    xmlNodePtr node = xmlNewDocNode(doc_, nullptr, xml(utf8_), nullptr);
    if (!node)
        throw std::bad_alloc();
    if (current_)
        xmlAddChild(current_, node);
    else
        xmlDocSetRootElement(doc_, node);
    current_ = node;
}

void XmlTreeWriter::attribute(std::u16string_view name, std::u16string_view value)
{
    if (!current_)
        return;
    std::string utf8Name;
    toSafeUtf8(name, utf8Name);
    toSafeUtf8(value, utf8_);
    // The value is taken as it is: no entity or character reference in it is interpreted.
    if (!xmlNewProp(current_, xml(utf8Name), xml(utf8_)))
        throw std::bad_alloc();
}

void XmlTreeWriter::attribute(std::u16string_view name, long long value)
{
    char digits[24];
    const auto converted = std::to_chars(digits, digits + sizeof digits, value);
    const std::u16string text(digits, converted.ptr);
    attribute(name, text);
}

void XmlTreeWriter::endElement()
{
    if (current_)
        current_ = current_->parent && current_->parent->type == XML_ELEMENT_NODE ? current_->parent : nullptr;
}

_xmlDoc* XmlTreeWriter::release()
{
    _xmlDoc* finished = doc_;
    doc_ = nullptr;
    return finished;
}
