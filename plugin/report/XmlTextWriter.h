#pragma once
// Writes an XML document as UTF-16 text straight into a string, element by element, with every
// value an attribute: no tree is built first. The text is what a DOM serialiser writes in its raw
// form (no indentation, "<name/>" for an element without children), with every markup character
// of a value escaped, ">" included, and tab, line feed and carriage return kept as character
// references so that they survive a reader's normalisation of attribute values.
#include <string>
#include <string_view>
#include <vector>

class XmlTextWriter {
public:
    explicit XmlTextWriter(std::u16string& target) : out_(target) {}

    // The declaration naming the encoding the text will be stored in.
    void declaration(std::u16string_view encoding);
    void startElement(std::u16string_view name);
    // An attribute of the element just started; characters XML cannot carry become U+FFFD.
    void attribute(std::u16string_view name, std::u16string_view value);
    // An attribute whose value is `first` followed by `second`.
    void attribute(std::u16string_view name, std::u16string_view first, std::u16string_view second);
    void attribute(std::u16string_view name, long long value);
    // Ends the innermost open element.
    void endElement();

private:
    void closeStartTag();

    std::u16string& out_;
    std::vector<std::u16string_view> open_;
    bool startTagOpen_ = false;
};
