#pragma once
// Integer pixel points and rectangles with the platform's convention: a rectangle covers
// left <= x < right and top <= y < bottom.
#include <algorithm>

namespace controls {

struct PixelPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const PixelPoint&, const PixelPoint&) = default;
};

struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool isEmpty() const { return right <= left || bottom <= top; }
    bool contains(PixelPoint p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    PixelRect intersected(const PixelRect& o) const
    {
        PixelRect r{std::max(left, o.left), std::max(top, o.top), std::min(right, o.right),
                    std::min(bottom, o.bottom)};
        if (r.isEmpty())
            return PixelRect{};
        return r;
    }
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

} // namespace controls
