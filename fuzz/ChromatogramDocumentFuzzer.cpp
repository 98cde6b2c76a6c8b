// Any XML text read as the chromatogram document must give a passport and peak tables, and the
// document written from them again must be well-formed, so that a file once read can be saved and
// read back.
#include "input/ChromatogramDocumentReader.h"
#include "input/ChromatogramDocumentWriter.h"

#include <pugixml.hpp>

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    pugi::xml_document document;
    if (!document.load_buffer(data, size, pugi::parse_default, pugi::encoding_utf8))
        return 0;
    Passport passport;
    std::vector<Channel> channels(4);
    for (int i = 0; i < 4; ++i)
        channels[static_cast<std::size_t>(i)].number = i;
    pugi::xml_node root = document.child("root");
    readPassport(root.child("passport"), passport);
    readChannels(root.child("channels"), channels);

    pugi::xml_document rewritten;
    writeDocument(rewritten, passport, channels);
    std::ostringstream out;
    rewritten.save(out, "", pugi::format_raw, pugi::encoding_utf8);
    std::string text = out.str();
    pugi::xml_document again;
    if (!again.load_buffer(text.data(), text.size(), pugi::parse_default, pugi::encoding_utf8))
        __builtin_trap();
    Passport reread;
    readPassport(again.child("root").child("passport"), reread);
    if (reread.parameters.size() != passport.parameters.size() || reread.columns.size() != passport.columns.size())
        __builtin_trap();
    return 0;
}
