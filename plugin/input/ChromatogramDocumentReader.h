#pragma once
// Reads the XML document that ends a chromatogram file into the passport and the channels' peak
// tables. Reading never fails: absent elements and attributes give defaults, unknown passport
// entries become free-form parameters, anything else unknown is ignored.
#include "input/Channel.h"
#include "input/Passport.h"

#include <pugixml.hpp>
#include <vector>

// Empties the columns and parameters; scalar fields are overwritten only by entries present.
void readPassport(const pugi::xml_node& passportElement, Passport& passport);

// Fills the peaks of channels that have a signal block; a table for an unknown channel number is
// dropped, and a later table for the same number replaces an earlier one.
void readChannels(const pugi::xml_node& channelsElement, std::vector<Channel>& channels);
