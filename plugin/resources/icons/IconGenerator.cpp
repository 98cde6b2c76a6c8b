// Draws the plug-in's icons and writes them as PNG files into the folder given on the command
// line. The committed PNGs in this folder were made by this program; run it again after changing
// a glyph (target vexol_icongen, not part of the default build):
//
//   vexol_icongen plugin/resources/icons
//
// Command glyphs are drawn on a 16 x 16 grid with strokes on pixel centres, so that they stay
// sharp at the size the buttons show them. The product icon is drawn for each of its sizes.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QString>
#include <cmath>
#include <cstdio>
#include <functional>
#include <utility>

namespace {

const QColor kOutline(0x37, 0x47, 0x4f);
const QColor kTrace(0x15, 0x65, 0xc0);
const QColor kTraceLight(0x90, 0xb8, 0xe0);
const QColor kAdd(0x2e, 0x7d, 0x32);
const QColor kRemove(0xc6, 0x28, 0x28);
const QColor kAccent(0x0d, 0x47, 0xa1);
const QColor kPaper(0xff, 0xff, 0xff);
const QColor kLine(0x78, 0x90, 0x9c);

using Painter = std::function<void(QPainter&)>;

QPen pen(const QColor& color, qreal width = 1.0)
{
    QPen p(color, width);
    p.setCapStyle(Qt::FlatCap);
    p.setJoinStyle(Qt::MiterJoin);
    return p;
}

// Two peaks over a baseline, the common picture of a chromatogram.
QPainterPath tracePath(qreal dx = 0, qreal dy = 0)
{
    QPainterPath path;
    path.moveTo(1 + dx, 13.5 + dy);
    path.lineTo(3 + dx, 13.5 + dy);
    path.cubicTo(4.5 + dx, 13.5 + dy, 4.6 + dx, 3 + dy, 5.5 + dx, 3 + dy);
    path.cubicTo(6.4 + dx, 3 + dy, 6.5 + dx, 13.5 + dy, 8 + dx, 13.5 + dy);
    path.cubicTo(9 + dx, 13.5 + dy, 9.2 + dx, 8 + dy, 9.8 + dx, 8 + dy);
    path.cubicTo(10.4 + dx, 8 + dy, 10.6 + dx, 13.5 + dy, 11.6 + dx, 13.5 + dy);
    path.lineTo(15 + dx, 13.5 + dy);
    return path;
}

void drawAxes(QPainter& p)
{
    p.setPen(pen(kLine));
    p.drawLine(QPointF(0.5, 1), QPointF(0.5, 15.5));
    p.drawLine(QPointF(0.5, 15.5), QPointF(16, 15.5));
}

void drawTrace(QPainter& p, const QColor& color = kTrace, qreal dx = 0, qreal dy = 0)
{
    QPen tracePen = pen(color, 1.3);
    tracePen.setJoinStyle(Qt::RoundJoin);
    p.setPen(tracePen);
    p.setBrush(Qt::NoBrush);
    p.drawPath(tracePath(dx, dy));
}

// A bold sign in the top right corner says what the command does to the chromatogram; a white
// halo keeps it apart from the trace beneath.
void drawBars(QPainter& p, const QColor& color, bool vertical)
{
    p.setPen(Qt::NoPen);
    p.setBrush(kPaper);
    p.drawRect(QRectF(8, 2, 8, 4));
    if (vertical)
        p.drawRect(QRectF(10, 0, 4, 8));
    p.setBrush(color);
    p.drawRect(QRectF(9, 3, 6, 2));
    if (vertical)
        p.drawRect(QRectF(11, 1, 2, 6));
}

void drawPlus(QPainter& p) { drawBars(p, kAdd, true); }

void drawMinus(QPainter& p) { drawBars(p, kRemove, false); }

void drawCross(QPainter& p)
{
    for (const auto& [color, width] : {std::pair{kPaper, 4.0}, std::pair{kRemove, 2.0}}) {
        p.setPen(pen(color, width));
        p.drawLine(QPointF(9.5, 1), QPointF(14.5, 6));
        p.drawLine(QPointF(14.5, 1), QPointF(9.5, 6));
    }
}

void drawPage(QPainter& p, qreal left, qreal right)
{
    QPainterPath page;
    page.moveTo(left + 0.5, 0.5);
    page.lineTo(right - 3.5, 0.5);
    page.lineTo(right - 0.5, 3.5);
    page.lineTo(right - 0.5, 15.5);
    page.lineTo(left + 0.5, 15.5);
    page.closeSubpath();
    p.setPen(pen(kOutline));
    p.setBrush(kPaper);
    p.drawPath(page);
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(right - 3.5, 0.5), QPointF(right - 3.5, 3.5));
    p.drawLine(QPointF(right - 3.5, 3.5), QPointF(right - 0.5, 3.5));
}

void drawPageLines(QPainter& p, qreal left, qreal right, int count)
{
    p.setPen(pen(kLine));
    for (int i = 0; i < count; ++i) {
        const qreal y = 5.5 + 2 * i;
        p.drawLine(QPointF(left + 2, y), QPointF(right - 2, y));
    }
}

void addChromatogram(QPainter& p)
{
    drawAxes(p);
    drawTrace(p);
    drawPlus(p);
}

void removeChromatogram(QPainter& p)
{
    drawAxes(p);
    drawTrace(p);
    drawMinus(p);
}

void removeAllChromatograms(QPainter& p)
{
    drawAxes(p);
    drawTrace(p, kTraceLight, 0, -3);
    drawTrace(p);
    drawCross(p);
}

void openChromatogram(QPainter& p)
{
    drawAxes(p);
    drawTrace(p);
    // An arrow out of the corner: the chromatogram opens in the host's viewer.
    QPainterPath head;
    head.moveTo(15, 0.5);
    head.lineTo(15, 6);
    head.lineTo(9.5, 0.5);
    head.closeSubpath();
    for (const auto& [color, width] : {std::pair{kPaper, 4.0}, std::pair{kAccent, 2.0}}) {
        p.setPen(pen(color, width));
        p.drawLine(QPointF(9, 7), QPointF(13, 3));
    }
    p.setPen(pen(kPaper, 1.5));
    p.setBrush(kAccent);
    p.drawPath(head);
    p.setPen(Qt::NoPen);
    p.drawPath(head);
}

void components(QPainter& p)
{
    // A table: a header row and three rows of two columns.
    p.setPen(Qt::NoPen);
    p.setBrush(kTrace);
    p.drawRect(QRectF(1, 2, 14, 3));
    p.setBrush(kPaper);
    p.drawRect(QRectF(1, 5, 14, 9));
    p.setBrush(Qt::NoBrush);
    p.setPen(pen(kOutline));
    p.drawRect(QRectF(0.5, 1.5, 15, 13));
    p.setPen(pen(kLine));
    p.drawLine(QPointF(1, 8.5), QPointF(15, 8.5));
    p.drawLine(QPointF(1, 11.5), QPointF(15, 11.5));
    p.setPen(pen(kOutline));
    p.drawLine(QPointF(5.5, 2), QPointF(5.5, 14));
}

void report(QPainter& p)
{
    drawPage(p, 1, 14);
    drawPageLines(p, 1, 11, 1);
    // A small bar chart on the page.
    p.setPen(Qt::NoPen);
    p.setBrush(kTrace);
    p.drawRect(QRectF(4, 10, 2, 4));
    p.drawRect(QRectF(7, 7, 2, 7));
    p.drawRect(QRectF(10, 9, 2, 5));
}

void saveReport(QPainter& p)
{
    drawPage(p, 0, 12);
    drawPageLines(p, 0, 12, 3);
    // A disk in the lower right corner: shutter at the top, label at the bottom.
    p.setPen(Qt::NoPen);
    p.setBrush(kPaper);
    p.drawRect(QRectF(6, 6, 10, 10));
    p.setBrush(kAccent);
    p.drawRect(QRectF(7, 7, 9, 9));
    p.setBrush(QColor(0xcf, 0xd8, 0xdc));
    p.drawRect(QRectF(9, 7, 5, 3));
    p.setBrush(kAccent);
    p.drawRect(QRectF(12, 7.5, 1, 2));
    p.setBrush(kPaper);
    p.drawRect(QRectF(8, 12, 7, 4));
}

void settings(QPainter& p)
{
    // A gear: eight teeth round a ring.
    const QPointF c(8, 8);
    QPainterPath gear;
    const int teeth = 8;
    for (int i = 0; i < teeth * 2; ++i) {
        const qreal a0 = (i - 0.5) * M_PI / teeth;
        const qreal a1 = (i + 0.5) * M_PI / teeth;
        const qreal r = (i % 2 == 0) ? 7.3 : 5.4;
        const QPointF p0 = c + QPointF(r * std::cos(a0), r * std::sin(a0));
        const QPointF p1 = c + QPointF(r * std::cos(a1), r * std::sin(a1));
        if (i == 0)
            gear.moveTo(p0);
        else
            gear.lineTo(p0);
        gear.lineTo(p1);
    }
    gear.closeSubpath();
    QPainterPath hole;
    hole.addEllipse(c, 2.3, 2.3);
    p.setPen(pen(kOutline, 0.8));
    p.setBrush(QColor(0x60, 0x7d, 0x8b));
    p.drawPath(gear.subtracted(hole));
}

void about(QPainter& p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(kTrace);
    p.drawEllipse(QPointF(8, 8), 7.5, 7.5);
    p.setBrush(kPaper);
    p.drawEllipse(QPointF(8, 4.3), 1.3, 1.3);
    p.drawRect(QRectF(6.8, 6.6, 2.4, 6.4));
}

// The product icon: a rounded tile with two overlapping chromatograms, one per detector
// channel. Drawn in a 16-unit square scaled to the requested size.
void product(QPainter& p)
{
    QLinearGradient tile(0, 0, 0, 16);
    tile.setColorAt(0, QColor(0x1e, 0x88, 0xe5));
    tile.setColorAt(1, QColor(0x0d, 0x47, 0xa1));
    p.setPen(Qt::NoPen);
    p.setBrush(tile);
    p.drawRoundedRect(QRectF(0.25, 0.25, 15.5, 15.5), 3, 3);

    QPainterPath second;
    second.moveTo(2, 12.5);
    second.cubicTo(6.5, 12.5, 6.8, 7, 8.3, 7);
    second.cubicTo(9.8, 7, 10, 12.5, 14, 12.5);
    QPen light(QColor(0xff, 0xca, 0x28), 1.1);
    light.setCapStyle(Qt::RoundCap);
    p.setPen(light);
    p.setBrush(Qt::NoBrush);
    p.drawPath(second);

    QPainterPath first;
    first.moveTo(2, 12.5);
    first.lineTo(3.2, 12.5);
    first.cubicTo(4.6, 12.5, 4.6, 3, 5.6, 3);
    first.cubicTo(6.6, 3, 6.6, 12.5, 8, 12.5);
    first.cubicTo(9.5, 12.5, 9.8, 6, 10.6, 6);
    first.cubicTo(11.4, 6, 11.6, 12.5, 12.8, 12.5);
    first.lineTo(14, 12.5);
    QPen white(Qt::white, 1.3);
    white.setCapStyle(Qt::RoundCap);
    white.setJoinStyle(Qt::RoundJoin);
    p.setPen(white);
    p.drawPath(first);
}

bool write(const QString& folder, const QString& name, int size, const Painter& paint)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 16.0, size / 16.0);
    paint(painter);
    painter.end();
    const QString path = folder + QLatin1Char('/') + name;
    if (!image.save(path, "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    struct Glyph {
        const char* name;
        int size;
        Painter paint;
    };
    const Glyph glyphs[] = {
        {"105_components.png", 16, components},
        {"106_save_report.png", 16, saveReport},
        {"107_about.png", 16, about},
        {"108_add_chromatograms.png", 16, addChromatogram},
        {"109_remove_chromatogram.png", 16, removeChromatogram},
        {"110_remove_all.png", 16, removeAllChromatograms},
        {"111_open_chromatogram.png", 16, openChromatogram},
        {"112_report.png", 16, report},
        {"113_settings.png", 16, settings},
        {"114_product_16.png", 16, product},
        {"114_product_32.png", 32, product},
        {"114_product_48.png", 48, product},
        {"114_product_80.png", 80, product},
    };
    for (const Glyph& g : glyphs)
        if (!write(folder, QString::fromLatin1(g.name), g.size, g.paint))
            return 1;
    return 0;
}
