#include "input/ChromatogramDocumentWriter.h"

#include "input/XmlValue.h"
#include "platform/Text.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {

// The document is described once, as calls on a sink; one sink builds pugixml's tree, the other
// writes the text pugixml would save of that tree. Element and attribute names are plain ASCII.

class TreeSink {
public:
    explicit TreeSink(pugi::xml_node root) : current_(root) {}

    void open(const char* name) { current_ = current_.append_child(name); }
    void close() { current_ = current_.parent(); }
    // Texts are taken up to their first NUL, as a C string is.
    void attribute(const char* name, const char* value) { current_.append_attribute(name).set_value(value); }
    void value(const char* name, const char* text)
    {
        current_.append_child(name).append_attribute("value").set_value(text);
    }
    // A number's text.
    void value(const char* name, const char* begin, const char* end) { value(name, std::string(begin, end).c_str()); }
    void text(const char* name, const std::u16string& text) { value(name, platform::utf16ToUtf8(text).c_str()); }

private:
    pugi::xml_node current_;
};

// Which bytes pugixml escapes in an attribute value: the control characters as "&#NN;", and
// & < " by name (">" stays as it is). Every other byte, UTF-8 sequences included, is written as
// it stands.
constexpr std::array<bool, 256> escapedInAttribute = [] {
    std::array<bool, 256> table{};
    for (int c = 0; c < 32; ++c)
        table[static_cast<std::size_t>(c)] = true;
    table['&'] = table['<'] = table['"'] = true;
    return table;
}();

class TextSink {
public:
    explicit TextSink(std::string& out) : out_(out) {}

    void open(const char* name)
    {
        endStartTag();
        out_ += '<';
        putName(name);
        open_.push_back(name);
        startTagOpen_ = true;
    }
    void close()
    {
        if (startTagOpen_) {
            out_ += "/>";
            startTagOpen_ = false;
        } else {
            out_ += "</";
            putName(open_.back());
            out_ += '>';
        }
        open_.pop_back();
    }
    void attribute(const char* name, const char* value)
    {
        out_ += ' ';
        out_ += name;
        out_ += "=\"";
        putEscaped(value, value + std::strlen(value));
        out_ += '"';
    }
    void value(const char* name, const char* text)
    {
        startValue(name);
        putEscaped(text, text + std::strlen(text));
        out_ += "\"/>";
    }
    // A number's text, which holds nothing to escape.
    void value(const char* name, const char* begin, const char* end)
    {
        startValue(name);
        out_.append(begin, end);
        out_ += "\"/>";
    }

    // The text up to its first NUL, as the tree takes it. Plain ASCII, nearly every name, is
    // escaped straight from the UTF-16 units without a conversion.
    void text(const char* name, const std::u16string& text)
    {
        const auto end = std::find(text.begin(), text.end(), u'\0');
        if (!std::all_of(text.begin(), end, [](char16_t c) { return c < 0x80; })) {
            value(name, platform::utf16ToUtf8(text).c_str());
            return;
        }
        startValue(name);
        for (auto c = text.begin(); c != end; ++c) {
            const char byte = static_cast<char>(*c);
            if (escapedInAttribute[static_cast<unsigned char>(byte)])
                putEscaped(&byte, &byte + 1);
            else
                out_ += byte;
        }
        out_ += "\"/>";
    }

private:
    void startValue(const char* name)
    {
        endStartTag();
        out_ += '<';
        putName(name);
        out_ += " value=\"";
    }
    void endStartTag()
    {
        if (startTagOpen_)
            out_ += '>';
        startTagOpen_ = false;
    }
    // pugixml writes a nameless element as ":anonymous".
    void putName(const char* name) { out_ += *name ? name : ":anonymous"; }
    void putEscaped(const char* begin, const char* end)
    {
        const char* plain = begin;
        for (const char* p = begin; p != end; ++p) {
            const unsigned char c = static_cast<unsigned char>(*p);
            if (!escapedInAttribute[c])
                continue;
            out_.append(plain, p);
            plain = p + 1;
            switch (c) {
            case '&': out_ += "&amp;"; break;
            case '<': out_ += "&lt;"; break;
            case '"': out_ += "&quot;"; break;
            default:
                out_ += "&#";
                out_ += static_cast<char>('0' + c / 10);
                out_ += static_cast<char>('0' + c % 10);
                out_ += ';';
                break;
            }
        }
        out_.append(plain, end);
    }

    std::string& out_;
    std::vector<const char*> open_;
    bool startTagOpen_ = false;
};

template <class Sink>
void addText(Sink& sink, const char* name, const std::u16string& text)
{
    sink.text(name, text);
}

template <class Sink>
void addDouble(Sink& sink, const char* name, double value)
{
    char buffer[xmlvalue::numberTextSize];
    sink.value(name, buffer, xmlvalue::putDouble(buffer, value));
}

template <class Sink>
void addInt(Sink& sink, const char* name, int64_t value)
{
    char buffer[xmlvalue::numberTextSize];
    sink.value(name, buffer, xmlvalue::putInt64(buffer, value));
}

template <class Sink>
void addBool(Sink& sink, const char* name, bool value)
{
    sink.value(name, xmlvalue::fromBool(value));
}

template <class Sink>
void writeColumn(Sink& sink, const ColumnDescription& c)
{
    sink.open("column");
    addInt(sink, "channel", c.channel);
    addText(sink, "name", c.name);
    addText(sink, "brand", c.brand);
    addInt(sink, "type", c.type);
    addDouble(sink, "diameter", c.diameter);
    addDouble(sink, "length", c.length);
    addText(sink, "carrier", c.carrier);
    addText(sink, "phase", c.phase);
    addDouble(sink, "percent", c.percent);
    addInt(sink, "unit", c.unit);
    addDouble(sink, "fraction0", c.fraction0);
    addDouble(sink, "fraction1", c.fraction1);
    addDouble(sink, "film", c.film);
    addText(sink, "part", c.part);
    addText(sink, "serial", c.serial);
    sink.close();
}

template <class Sink>
void writePassport(Sink& sink, const Passport& p)
{
    sink.open("passport");
    sink.attribute("version", "1");
    addText(sink, "assayid", p.assayid);
    addText(sink, "series", p.series);
    addInt(sink, "andate", p.andate);
    addDouble(sink, "duration", p.duration);
    addText(sink, "sample", p.sample);
    addText(sink, "method", p.method);
    addBool(sink, "graduation", p.graduation);
    addInt(sink, "date", p.date);
    addBool(sink, "defect", p.defect);
    addText(sink, "mixture", p.mixture);
    for (const ColumnDescription& column : p.columns)
        writeColumn(sink, column);
    for (const PassportParameter& parameter : p.parameters) {
        const std::string name = platform::utf16ToUtf8(parameter.name);
        sink.open(name.c_str());
        sink.attribute("title", platform::utf16ToUtf8(parameter.title).c_str());
        sink.attribute("value", platform::utf16ToUtf8(parameter.value).c_str());
        sink.close();
    }
    sink.close();
}

template <class Sink>
void writePeak(Sink& sink, const Peak& peak)
{
    sink.open("item");
    addDouble(sink, "front", peak.front);
    addDouble(sink, "back", peak.back);
    addDouble(sink, "time", peak.time);
    addDouble(sink, "area", peak.area);
    addDouble(sink, "height", peak.height);
    addDouble(sink, "concent", peak.concent);
    addText(sink, "name", peak.name);
    addBool(sink, "reference", peak.reference);
    addInt(sink, "left", peak.left);
    addInt(sink, "right", peak.right);
    char buffer[xmlvalue::numberTextSize];
    sink.value("flags", buffer, xmlvalue::putUInt32(buffer, peak.flags));
    addDouble(sink, "front_base_height", peak.front_base_height);
    addDouble(sink, "back_base_height", peak.back_base_height);
    addDouble(sink, "index", peak.index);
    sink.close();
}

template <class Sink>
void writeChannels(Sink& sink, const std::vector<Channel>& channels)
{
    sink.open("channels");
    sink.attribute("version", "1");
    for (const Channel& channel : channels) {
        sink.open("channel");
        addInt(sink, "number", channel.number);
        sink.open("table");
        for (const Peak& peak : channel.peaks)
            writePeak(sink, peak);
        sink.close();
        sink.close();
    }
    sink.close();
}

template <class Sink>
void writeRoot(Sink& sink, const Passport& passport, const std::vector<Channel>& channels)
{
    sink.open("root");
    sink.attribute("version", "1");
    writePassport(sink, passport);
    writeChannels(sink, channels);
    sink.close();
}

} // namespace

void writeDocument(pugi::xml_document& document, const Passport& passport, const std::vector<Channel>& channels)
{
    document.reset();
    pugi::xml_node declaration = document.append_child(pugi::node_declaration);
    declaration.append_attribute("version").set_value("1.0");
    declaration.append_attribute("encoding").set_value("utf-8");
    TreeSink sink(document);
    writeRoot(sink, passport, channels);
}

void appendDocumentText(std::string& out, const Passport& passport, const std::vector<Channel>& channels)
{
    out += "<?xml version=\"1.0\" encoding=\"utf-8\"?>";
    TextSink sink(out);
    writeRoot(sink, passport, channels);
}
