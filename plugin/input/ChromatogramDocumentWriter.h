#pragma once
// Builds the XML document that ends a chromatogram file: the passport, then one peak table per
// channel. Numbers are written in the C locale; every double with 17 significant digits.
#include "input/Channel.h"
#include "input/Passport.h"

#include <pugixml.hpp>
#include <vector>

// Replaces the content of `document`.
void writeDocument(pugi::xml_document& document, const Passport& passport, const std::vector<Channel>& channels);
