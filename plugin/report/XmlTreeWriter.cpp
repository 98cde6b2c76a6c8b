#include "report/XmlTreeWriter.h"

#include <libxml/tree.h>
#include <libxml/dict.h>
#include <libxml/globals.h>

#include <charconv>
#include <cstring>
#include <new>

namespace {

bool isHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool isLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// Writes the value in UTF-8 as the reader of the text gets it back: every character XML cannot
// carry (control characters other than tab, line feed and carriage return, U+FFFE, U+FFFF,
// unpaired surrogates) as U+FFFD. `out` has room for three bytes a unit; returns the end.
char* putSafeUtf8(char* out, std::u16string_view value)
{
    const char16_t* at = value.data();
    const char16_t* const end = at + value.size();
    while (at < end) {
        const char16_t unit = *at++;
        // Printable ASCII and the two-byte characters (Cyrillic among them) first: they are
        // nearly all of a report's text.
        if (static_cast<unsigned>(unit) - 0x20u < 0x60u) {
            *out++ = static_cast<char>(unit);
            continue;
        }
        if (static_cast<unsigned>(unit) - 0x80u < 0x780u) {
            out[0] = static_cast<char>(0xC0 | (unit >> 6));
            out[1] = static_cast<char>(0x80 | (unit & 0x3F));
            out += 2;
            continue;
        }
        char32_t c = unit;
        if (unit < 0x80) {
            if (unit >= 0x20 || unit == u'\t' || unit == u'\n' || unit == u'\r') {
                *out++ = static_cast<char>(unit);
                continue;
            }
            c = 0xFFFD;
        } else if (unit < 0x800) {
            *out++ = static_cast<char>(0xC0 | (unit >> 6));
            *out++ = static_cast<char>(0x80 | (unit & 0x3F));
            continue;
        } else if (isHighSurrogate(unit)) {
            if (at < end && isLowSurrogate(*at)) {
                c = 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) + (*at++ - 0xDC00);
                *out++ = static_cast<char>(0xF0 | (c >> 18));
                *out++ = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
                *out++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
                *out++ = static_cast<char>(0x80 | (c & 0x3F));
                continue;
            }
            c = 0xFFFD;
        } else if (isLowSurrogate(unit) || unit == 0xFFFE || unit == 0xFFFF) {
            c = 0xFFFD;
        }
        *out++ = static_cast<char>(0xE0 | (c >> 12));
        *out++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (c & 0x3F));
    }
    return out;
}

void toSafeUtf8(std::u16string_view value, std::string& out)
{
    out.resize(value.size() * 3);
    out.resize(static_cast<std::size_t>(putSafeUtf8(out.data(), value) - out.data()));
}

// A value split after a high surrogate would lose the pair it begins: such a value is joined
// before it is encoded.
bool endsInHighSurrogate(std::u16string_view text) { return !text.empty() && isHighSurrogate(text.back()); }

const xmlChar* xml(const std::string& text) { return reinterpret_cast<const xmlChar*>(text.c_str()); }

} // namespace

XmlTreeWriter::XmlTreeWriter(const char* url, _xmlDict* names)
{
    doc_ = xmlNewDoc(BAD_CAST "1.0");
    if (!doc_)
        throw std::bad_alloc();
    if (names) {
        if (xmlDictReference(names) != 0) {
            xmlFreeDoc(doc_);
            doc_ = nullptr;
            throw std::bad_alloc();
        }
        doc_->dict = names;
    } else {
        doc_->dict = xmlDictCreate();
        if (!doc_->dict) {
            xmlFreeDoc(doc_);
            doc_ = nullptr;
            throw std::bad_alloc();
        }
    }
    if (url) {
        doc_->URL = xmlStrdup(BAD_CAST url);
        if (!doc_->URL) {
            xmlFreeDoc(doc_);
            doc_ = nullptr;
            throw std::bad_alloc();
        }
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

const unsigned char* XmlTreeWriter::dictionaryName(std::u16string_view name)
{
    for (const Name& known : names_)
        if (known.text.size() == name.size()
            && std::char_traits<char16_t>::compare(known.text.data(), name.data(), name.size()) == 0)
            return known.kept;
    toSafeUtf8(name, utf8_);
    const xmlChar* kept = xmlDictLookup(doc_->dict, xml(utf8_), static_cast<int>(utf8_.size()));
    if (!kept)
        throw std::bad_alloc();
    names_.push_back({std::u16string(name), kept});
    return kept;
}

void XmlTreeWriter::startElement(std::u16string_view name)
{
    // The node takes the dictionary's string, which only the dictionary ever frees.
    auto* kept = const_cast<xmlChar*>(dictionaryName(name));
    xmlNodePtr node = xmlNewDocNodeEatName(doc_, nullptr, kept, nullptr);
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
    attribute(name, value, {});
}

void XmlTreeWriter::attribute(std::u16string_view name, std::u16string_view first, std::u16string_view second)
{
    if (!current_)
        return;
    if (endsInHighSurrogate(first) && !second.empty()) {
        std::u16string joined(first);
        joined.append(second);
        attribute(name, joined, {});
        return;
    }
    auto* kept = const_cast<xmlChar*>(dictionaryName(name));
    // The value is encoded once into the writer's buffer and copied into the text node that keeps
    // it; it is taken as it is: no entity or character reference in it is interpreted.
    utf8_.resize((first.size() + second.size()) * 3);
    char* const begin = utf8_.data();
    const auto length = static_cast<std::size_t>(putSafeUtf8(putSafeUtf8(begin, first), second) - begin);
    auto* content = static_cast<xmlChar*>(xmlMalloc(length + 1));
    if (!content)
        throw std::bad_alloc();
    std::memcpy(content, begin, length);
    content[length] = '\0';
    // Nothing below raises before the node is linked into the tree, which then frees it.
    xmlNodePtr text = xmlNewDocText(doc_, nullptr);
    if (!text) {
        xmlFree(content);
        throw std::bad_alloc();
    }
    text->content = content;
    xmlAttrPtr property = xmlNewNsPropEatName(current_, nullptr, kept, nullptr);
    if (!property) {
        xmlFreeNode(text);
        throw std::bad_alloc();
    }
    text->parent = reinterpret_cast<xmlNodePtr>(property);
    property->children = text;
    property->last = text;
}

void XmlTreeWriter::attribute(std::u16string_view name, long long value)
{
    char digits[24];
    const auto converted = std::to_chars(digits, digits + sizeof digits, value);
    const std::u16string text(digits, converted.ptr);
    attribute(name, text, {});
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
