#pragma once
// Builds the XML document that ends a chromatogram file: the passport, then one peak table per
// channel. Numbers are written in the C locale; every double with 17 significant digits.
#include "input/Channel.h"
#include "input/Passport.h"

#include <pugixml.hpp>
#include <string>
#include <vector>

// Replaces the content of `document`.
void writeDocument(pugi::xml_document& document, const Passport& passport, const std::vector<Channel>& channels);

// Appends the same document as text: byte for byte what pugixml saves of writeDocument's tree
// unindented (format_raw) in UTF-8, without building the tree first. An importer writing
// thousand-peak tables spends most of its time on the tree otherwise.
void appendDocumentText(std::string& out, const Passport& passport, const std::vector<Channel>& channels);
