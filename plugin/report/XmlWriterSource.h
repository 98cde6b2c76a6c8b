#pragma once
// The output sink of the report document: collects pugixml's UTF-16LE output into a UTF-16
// string, the form in which the document is handed to the XSLT engine.
#include <cstddef>
#include <string>

#include <pugixml.hpp>

class xml_writer_source : public pugi::xml_writer {
public:
    explicit xml_writer_source(std::u16string* target) : target(target) {}

    // Appends the chunk's UTF-16 units (little-endian byte pairs). A byte left over from an odd
    // chunk is kept and completed by the next one, so a unit split between chunks is not lost.
    // When the string cannot grow, the chunk and every later one are dropped and failed() is set:
    // the caller must not use the text. pugixml is left to finish its output undisturbed.
    void write(const void* data, size_t size) override;

    // True when some output could not be stored.
    bool failed() const { return failed_; }

    std::u16string* target;

private:
    bool failed_ = false;
    bool hasPendingByte_ = false;
    unsigned char pendingByte_ = 0;
};
