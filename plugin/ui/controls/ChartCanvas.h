#pragma once
// What the chart needs from a drawing surface. The chart's layout and drawing rules talk to this
// interface only, so that they can be checked exactly against a recording surface and drawn for
// real through QPainter.
//
// Lines follow the platform's move-to/line-to rule: a line from a to b covers the pixels from a up
// to, but not including, b. Outlines of rectangles and ellipses lie inside the given rectangle.
#include "ui/controls/ColorRef.h"
#include "ui/controls/FontDescription.h"
#include "ui/controls/PixelGeometry.h"

#include <cstddef>
#include <string_view>

namespace controls {

struct TextMetrics {
    int averageCharWidth = 0;
    int height = 0;   // character cell height
    int ascent = 0;
    int descent = 0;
};

enum class HAlign { Left, Center, Right };
enum class VAlign { Top, Baseline, Bottom };

// Pen styles as the chart's series store them.
enum ChartPenStyle : int { PenSolid = 0, PenDash = 1, PenDot = 2, PenDashDot = 3, PenDashDotDot = 4, PenNull = 5 };

// The brush closed shapes are filled with.
enum class ChartBrush { White, Hollow };

// Measuring text, all that laying out the ticks needs.
class TextMeasure {
public:
    virtual ~TextMeasure() = default;

    virtual void selectFont(const FontDescription& font) = 0;
    virtual TextMetrics textMetrics() = 0;
    virtual int textWidth(std::u16string_view text) = 0;
};

class ChartCanvas : public TextMeasure {
public:
    virtual void setTextColor(COLORREF color) = 0;
    // Text anchored at (x, y); rotated is a quarter turn counter-clockwise (reading upward), the
    // alignment then applying along the rotated text.
    virtual void drawText(int x, int y, std::u16string_view text, HAlign h, VAlign v, bool rotated) = 0;

    virtual void setPen(COLORREF color, int width, int style) = 0;
    virtual void setBrush(ChartBrush brush) = 0;
    virtual void fillRect(const PixelRect& rect, COLORREF color) = 0;
    virtual void rectangle(const PixelRect& box) = 0;   // pen outline, brush fill
    virtual void ellipse(const PixelRect& box) = 0;     // pen outline, brush fill
    virtual void line(PixelPoint from, PixelPoint to) = 0;
    virtual void polyline(const PixelPoint* points, std::size_t count) = 0;
};

} // namespace controls
