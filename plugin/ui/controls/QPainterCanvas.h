#pragma once
// The chart's drawing surface on a QPainter (normally one drawing into an off-screen image).
// Drawing is aliased, as the platform's drawing was, so that one-pixel lines stay one pixel.
#include "ui/controls/ChartCanvas.h"

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QPainter>

namespace controls {

class QPainterCanvas : public ChartCanvas {
public:
    explicit QPainterCanvas(QPainter& painter);

    // The Qt font for a font description: the largest pixel size whose line height fits the
    // described character cell height.
    static QFont resolveFont(const FontDescription& font);

    void selectFont(const FontDescription& font) override;
    TextMetrics textMetrics() override;
    int textWidth(std::u16string_view text) override;
    void setTextColor(COLORREF color) override;
    void drawText(int x, int y, std::u16string_view text, HAlign h, VAlign v, bool rotated) override;

    void setPen(COLORREF color, int width, int style) override;
    void setBrush(ChartBrush brush) override;
    void fillRect(const PixelRect& rect, COLORREF color) override;
    void rectangle(const PixelRect& box) override;
    void ellipse(const PixelRect& box) override;
    void line(PixelPoint from, PixelPoint to) override;
    void polyline(const PixelPoint* points, std::size_t count) override;

private:
    QPainter& painter_;
    QFontMetrics metrics_;
    QColor textColor_;
};

} // namespace controls
