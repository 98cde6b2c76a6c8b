#include "ui/controls/QPainterCanvas.h"

#include "ui/controls/QtColors.h"

#include <QHash>
#include <QPoint>
#include <QString>

#include <algorithm>
#include <mutex>
#include <vector>

namespace controls {
namespace {

QString toQString(std::u16string_view text)
{
    return QString(reinterpret_cast<const QChar*>(text.data()), qsizetype(text.size()));
}

Qt::PenStyle qtPenStyle(int style)
{
    switch (style) {
    case PenDash: return Qt::DashLine;
    case PenDot: return Qt::DotLine;
    case PenDashDot: return Qt::DashDotLine;
    case PenDashDotDot: return Qt::DashDotDotLine;
    case PenNull: return Qt::NoPen;
    default: return Qt::SolidLine;
    }
}

} // namespace

QPainterCanvas::QPainterCanvas(QPainter& painter)
    : painter_(painter), metrics_(painter.font()), textColor_(Qt::black)
{
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setRenderHint(QPainter::TextAntialiasing, true);
    painter_.setBrush(Qt::white);
}

QFont QPainterCanvas::resolveFont(const FontDescription& font)
{
    // Fonts are resolved on every paint; measuring candidate sizes is the slow part, so the
    // answers are kept for the life of the process (a handful of descriptions at most).
    static std::mutex cacheLock;
    static QHash<QString, QFont> cache;
    const QString family = toQString(font.faceName);
    const QString key = family + u'|' + QString::number(font.height) + u'|' + QString::number(font.weight);
    std::lock_guard<std::mutex> lock(cacheLock);
    auto found = cache.constFind(key);
    if (found != cache.constEnd())
        return *found;

    QFont qfont(family);
    qfont.setWeight(QFont::Weight(std::clamp(font.weight > 0 ? font.weight : 400, 1, 1000)));
    qfont.setStyleStrategy(QFont::PreferDefault);
    const int cell = std::max(1, font.height);
    int pixels = cell;
    for (; pixels > 1; --pixels) {
        qfont.setPixelSize(pixels);
        if (QFontMetrics(qfont).height() <= cell)
            break;
    }
    qfont.setPixelSize(std::max(1, pixels));
    cache.insert(key, qfont);
    return qfont;
}

void QPainterCanvas::selectFont(const FontDescription& font)
{
    const QFont qfont = resolveFont(font);
    painter_.setFont(qfont);
    metrics_ = QFontMetrics(qfont);
}

TextMetrics QPainterCanvas::textMetrics()
{
    return {metrics_.averageCharWidth(), metrics_.height(), metrics_.ascent(), metrics_.descent()};
}

int QPainterCanvas::textWidth(std::u16string_view text)
{
    return metrics_.horizontalAdvance(toQString(text));
}

void QPainterCanvas::setTextColor(COLORREF color)
{
    textColor_ = toQColor(color);
}

void QPainterCanvas::drawText(int x, int y, std::u16string_view text, HAlign h, VAlign v, bool rotated)
{
    const QString s = toQString(text);
    const int width = metrics_.horizontalAdvance(s);
    int dx = 0;
    if (h == HAlign::Center)
        dx = -width / 2;
    else if (h == HAlign::Right)
        dx = -width;
    int baseline = 0;
    if (v == VAlign::Top)
        baseline = metrics_.ascent();
    else if (v == VAlign::Bottom)
        baseline = -metrics_.descent();

    painter_.save();
    painter_.setPen(textColor_);
    painter_.translate(x, y);
    if (rotated)
        painter_.rotate(-90);
    painter_.drawText(dx, baseline, s);
    painter_.restore();
}

void QPainterCanvas::setPen(COLORREF color, int width, int style)
{
    QPen pen(toQColor(color));
    pen.setStyle(qtPenStyle(style));
    pen.setWidth(std::max(0, width));
    // A flat cap leaves out a thin line's last pixel, as the platform's line drawing did; wide
    // pens had round ends.
    pen.setCapStyle(width > 1 ? Qt::RoundCap : Qt::FlatCap);
    pen.setJoinStyle(width > 1 ? Qt::RoundJoin : Qt::MiterJoin);
    painter_.setPen(pen);
}

void QPainterCanvas::setBrush(ChartBrush brush)
{
    painter_.setBrush(brush == ChartBrush::White ? QBrush(Qt::white) : QBrush(Qt::NoBrush));
}

void QPainterCanvas::fillRect(const PixelRect& rect, COLORREF color)
{
    if (rect.isEmpty())
        return;
    painter_.fillRect(QRect(rect.left, rect.top, rect.width(), rect.height()), toQColor(color));
}

void QPainterCanvas::rectangle(const PixelRect& box)
{
    if (box.width() < 1 || box.height() < 1)
        return;
    painter_.drawRect(QRect(box.left, box.top, box.width() - 1, box.height() - 1));
}

void QPainterCanvas::ellipse(const PixelRect& box)
{
    if (box.width() < 1 || box.height() < 1)
        return;
    painter_.drawEllipse(QRect(box.left, box.top, box.width() - 1, box.height() - 1));
}

void QPainterCanvas::line(PixelPoint from, PixelPoint to)
{
    if (from == to)
        return;
    painter_.drawLine(from.x, from.y, to.x, to.y);
}

void QPainterCanvas::polyline(const PixelPoint* points, std::size_t count)
{
    if (count < 2)
        return;
    std::vector<QPoint> qpoints;
    qpoints.reserve(count);
    for (std::size_t i = 0; i < count; ++i)
        qpoints.emplace_back(points[i].x, points[i].y);
    painter_.drawPolyline(qpoints.data(), int(qpoints.size()));
}

} // namespace controls
