#pragma once
// A font as the chart describes it: the fields of a logical font that matter to it. `height` is
// the character cell height in pixels (ascent + descent), not the em size.
#include <string>

namespace controls {

struct FontDescription {
    std::u16string faceName = u"Arial";
    int height = 12;
    int weight = 400;
    int charSet = 1;          // default character set
    int outPrecision = 0;     // 7 asks for TrueType-only output
    int quality = 0;          // 2 asks for proof quality
    int pitchAndFamily = 0;   // 2 asks for variable pitch

    friend bool operator==(const FontDescription&, const FontDescription&) = default;
};

} // namespace controls
