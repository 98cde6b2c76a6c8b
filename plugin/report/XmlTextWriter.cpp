#include "report/XmlTextWriter.h"

#include <charconv>

namespace {

bool isHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool isLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// Appends a value with its markup escaped. Control characters other than tab, line feed and
// carriage return, U+FFFE, U+FFFF and unpaired surrogates are no XML characters: each becomes
// U+FFFD, so that one odd character in a name never fails a whole report.
void appendEscaped(std::u16string& out, std::u16string_view value)
{
    const std::size_t size = value.size();
    std::size_t plainFrom = 0;
    auto flush = [&](std::size_t upTo) {
        out.append(value.data() + plainFrom, upTo - plainFrom);
    };
    for (std::size_t i = 0; i < size; ++i) {
        const char16_t unit = value[i];
        const char16_t* replacement = nullptr;
        char16_t single = 0;
        if (unit >= 0x20 && unit != u'&' && unit != u'<' && unit != u'>' && unit != u'"' && unit < 0xD800)
            continue;
        switch (unit) {
        case u'&': replacement = u"&amp;"; break;
        case u'<': replacement = u"&lt;"; break;
        case u'>': replacement = u"&gt;"; break;
        case u'"': replacement = u"&quot;"; break;
        case u'\t': replacement = u"&#09;"; break;
        case u'\n': replacement = u"&#10;"; break;
        case u'\r': replacement = u"&#13;"; break;
        default:
            if (unit < 0x20 || unit == 0xFFFE || unit == 0xFFFF)
                single = u'\uFFFD';
            else if (isHighSurrogate(unit)) {
                if (i + 1 < size && isLowSurrogate(value[i + 1])) {
                    ++i;  // a pair: both units stay
                    continue;
                }
                single = u'\uFFFD';
            } else if (isLowSurrogate(unit))
                single = u'\uFFFD';
            else
                continue;
        }
        flush(i);
        if (replacement)
            out.append(replacement);
        else
            out.push_back(single);
        plainFrom = i + 1;
    }
    flush(size);
}

} // namespace

void XmlTextWriter::declaration(std::u16string_view encoding)
{
    out_.append(u"<?xml version=\"1.0\" encoding=\"");
    out_.append(encoding);
    out_.append(u"\"?>");
}

void XmlTextWriter::closeStartTag()
{
    if (startTagOpen_) {
        out_.push_back(u'>');
        startTagOpen_ = false;
    }
}

void XmlTextWriter::startElement(std::u16string_view name)
{
    closeStartTag();
    out_.push_back(u'<');
    out_.append(name);
    open_.push_back(name);
    startTagOpen_ = true;
}

void XmlTextWriter::attribute(std::u16string_view name, std::u16string_view value)
{
    out_.push_back(u' ');
    out_.append(name);
    out_.append(u"=\"");
    appendEscaped(out_, value);
    out_.push_back(u'"');
}

void XmlTextWriter::attribute(std::u16string_view name, std::u16string_view first, std::u16string_view second)
{
    // A high surrogate at the end of the first part pairs with the start of the second: escaped
    // apart, both would become U+FFFD.
    if (!first.empty() && first.back() >= 0xD800 && first.back() <= 0xDBFF && !second.empty()) {
        std::u16string joined(first);
        joined.append(second);
        attribute(name, joined);
        return;
    }
    out_.push_back(u' ');
    out_.append(name);
    out_.append(u"=\"");
    appendEscaped(out_, first);
    appendEscaped(out_, second);
    out_.push_back(u'"');
}

void XmlTextWriter::attribute(std::u16string_view name, long long value)
{
    char digits[24];
    const auto converted = std::to_chars(digits, digits + sizeof digits, value);
    std::u16string text(digits, converted.ptr);
    attribute(name, text);
}

void XmlTextWriter::endElement()
{
    if (open_.empty())
        return;
    if (startTagOpen_) {
        out_.append(u"/>");
        startTagOpen_ = false;
    } else {
        out_.append(u"</");
        out_.append(open_.back());
        out_.push_back(u'>');
    }
    open_.pop_back();
}
