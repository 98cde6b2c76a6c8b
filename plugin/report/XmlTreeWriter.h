#pragma once
// Builds the report document as the XML engine's own tree, element by element, with the same calls
// and the same values as XmlTextWriter writes as text: the tree is what reading that text gives,
// without writing and reading the text in between.
#include <string>
#include <string_view>
#include <vector>

struct _xmlDict;
struct _xmlDoc;
struct _xmlNode;

class XmlTreeWriter {
public:
    // `url` names the document as the text's reader would be told. Element and attribute names
    // are kept in `names`, as a reader keeps them in its dictionary; given the stylesheet's
    // dictionary, the engine finds the names it looks for by their address. Without one the
    // document gets a dictionary of its own.
    explicit XmlTreeWriter(const char* url, _xmlDict* names = nullptr);
    ~XmlTreeWriter();
    XmlTreeWriter(const XmlTreeWriter&) = delete;
    XmlTreeWriter& operator=(const XmlTreeWriter&) = delete;

    // The encoding the document says it is stored in.
    void declaration(std::u16string_view encoding);
    void startElement(std::u16string_view name);
    // An attribute of the element just started; characters XML cannot carry become U+FFFD.
    void attribute(std::u16string_view name, std::u16string_view value);
    // An attribute whose value is `first` followed by `second`.
    void attribute(std::u16string_view name, std::u16string_view first, std::u16string_view second);
    void attribute(std::u16string_view name, long long value);
    void endElement();

    // The finished document; the caller frees it with xmlFreeDoc.
    _xmlDoc* release();

private:
    // The name as the document's dictionary keeps it; a document uses a handful of names over and
    // over, so each is converted and looked up once.
    const unsigned char* dictionaryName(std::u16string_view name);

    _xmlDoc* doc_ = nullptr;
    _xmlNode* current_ = nullptr;
    std::string utf8_;
    struct Name {
        std::u16string text;
        const unsigned char* kept;
    };
    std::vector<Name> names_;
};
