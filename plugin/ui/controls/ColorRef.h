#pragma once
// Colours as the windows of this system store them: 0x00BBGGRR, with one reserved value that
// stands for "whatever the platform's own colour for this place is".
#include <cstdint>

namespace controls {

using COLORREF = std::uint32_t;

// The list view's default-colour value: use the system colour instead.
constexpr COLORREF kSystemColor = 0xFF000000u;

constexpr COLORREF rgbColor(unsigned red, unsigned green, unsigned blue)
{
    return (red & 0xFFu) | ((green & 0xFFu) << 8) | ((blue & 0xFFu) << 16);
}
constexpr unsigned redOf(COLORREF c) { return c & 0xFFu; }
constexpr unsigned greenOf(COLORREF c) { return (c >> 8) & 0xFFu; }
constexpr unsigned blueOf(COLORREF c) { return (c >> 16) & 0xFFu; }

} // namespace controls
