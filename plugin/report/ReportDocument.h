#pragma once
// The report document: the XML tree the report template turns into HTML. It lists the
// chromatograms of the workspace, every component's calibration coefficients and result, and the
// messages of the pass. Every value is an attribute; the four lists are always present.
#include <string>
#include <string_view>

#include "engine/CalculationResult.h"
#include "input/AssayRecord.h"

// Builds the document and serialises it as UTF-16LE text, declaration first, no byte-order mark,
// no line breaks. Messages come from theMessageLog() when a log is registered. With
// `hideNotFound` the unfitted calibration rows and the undetected results are left out and the
// remaining rows numbered without gaps.
std::u16string buildSourceXml(const AssayMap& assays, const CalculationResult& result, bool hideNotFound);
// The same with the creation time's text given.
std::u16string buildSourceXml(const AssayMap& assays, const CalculationResult& result, bool hideNotFound,
                              std::u16string_view dateCreated);

struct _xmlDict;
struct _xmlDoc;
// The same document as the XML engine's tree, exactly as reading the text would give it, named
// `url`; the caller frees it with xmlFreeDoc. Its element and attribute names are kept in `names`
// when given (the stylesheet's dictionary), else in a dictionary of its own. Raises
// std::bad_alloc when memory runs out.
_xmlDoc* buildSourceTree(const AssayMap& assays, const CalculationResult& result, bool hideNotFound,
                         std::u16string_view dateCreated, const char* url, _xmlDict* names = nullptr);

// The text with every character that XML cannot carry (control characters other than tab, line
// feed and carriage return, U+FFFE, U+FFFF) replaced by U+FFFD, so that one odd character in a
// name never fails a whole report. Unpaired surrogates are replaced when the text is encoded.
std::u16string xmlSafeText(std::u16string_view text);
