#pragma once
// When the engine refuses the report document, the analyst needs to know which row to fix. The
// document is ours: four lists of self-closing "row" elements, every value an attribute in which
// '<' and '>' are always escaped, so each row can be cut out and tried on its own.
#include <string>
#include <string_view>

// The first row of the serialised report document (UTF-16LE text) that does not read as XML on its
// own, as "Row <n> of \"<list>\": <the engine's reason>" (English, UTF-8); empty when every row
// reads.
std::string describeUnreadableRow(std::u16string_view sourceXml);
