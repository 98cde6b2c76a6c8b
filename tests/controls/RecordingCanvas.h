#pragma once
// A drawing surface that records what the chart draws, with fixed, simple font metrics, so that
// layout and drawing can be checked to the pixel without a real font.
#include "ui/controls/ChartCanvas.h"

#include <string>
#include <vector>

namespace controls::testing {

struct DrawOp {
    enum Kind { Fill, Rectangle, Ellipse, Line, Polyline, Text };
    Kind kind = Fill;
    COLORREF color = 0;          // pen colour (fill colour for Fill, text colour for Text)
    ChartBrush brush = ChartBrush::White;
    PixelRect rect;              // Fill, Rectangle, Ellipse
    std::vector<PixelPoint> points;  // Line (two points), Polyline
    std::u16string text;
    HAlign h = HAlign::Left;
    VAlign v = VAlign::Top;
    bool rotated = false;
    PixelPoint at;               // Text anchor
};

class RecordingCanvas : public ChartCanvas {
public:
    // Every character is charWidth wide; the cell is charHeight high with the given ascent.
    int charWidth = 6;
    int charHeight = 12;
    int ascent = 10;
    std::vector<DrawOp> ops;

    void selectFont(const FontDescription&) override {}
    TextMetrics textMetrics() override { return {charWidth, charHeight, ascent, charHeight - ascent}; }
    int textWidth(std::u16string_view text) override { return int(text.size()) * charWidth; }
    void setTextColor(COLORREF c) override { textColor_ = c; }
    void drawText(int x, int y, std::u16string_view text, HAlign h, VAlign v, bool rotated) override
    {
        DrawOp op;
        op.kind = DrawOp::Text;
        op.color = textColor_;
        op.text = std::u16string(text);
        op.h = h;
        op.v = v;
        op.rotated = rotated;
        op.at = {x, y};
        ops.push_back(op);
    }
    void setPen(COLORREF c, int, int) override { pen_ = c; }
    void setBrush(ChartBrush b) override { brush_ = b; }
    void fillRect(const PixelRect& r, COLORREF c) override { push(DrawOp::Fill, c, r, {}); }
    void rectangle(const PixelRect& r) override { push(DrawOp::Rectangle, pen_, r, {}); }
    void ellipse(const PixelRect& r) override { push(DrawOp::Ellipse, pen_, r, {}); }
    void line(PixelPoint a, PixelPoint b) override { push(DrawOp::Line, pen_, {}, {a, b}); }
    void polyline(const PixelPoint* p, std::size_t n) override
    {
        push(DrawOp::Polyline, pen_, {}, std::vector<PixelPoint>(p, p + n));
    }

    std::vector<DrawOp> opsOf(DrawOp::Kind kind) const
    {
        std::vector<DrawOp> out;
        for (const DrawOp& op : ops)
            if (op.kind == kind)
                out.push_back(op);
        return out;
    }

private:
    void push(DrawOp::Kind kind, COLORREF color, PixelRect r, std::vector<PixelPoint> pts)
    {
        DrawOp op;
        op.kind = kind;
        op.color = color;
        op.brush = brush_;
        op.rect = r;
        op.points = std::move(pts);
        ops.push_back(std::move(op));
    }

    COLORREF pen_ = 0;
    COLORREF textColor_ = 0;
    ChartBrush brush_ = ChartBrush::White;
};

} // namespace controls::testing
