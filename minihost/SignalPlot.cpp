#include "SignalPlot.h"

#include "platform/Format.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace {

constexpr int marginLeft = 48;
constexpr int marginRight = 12;
constexpr int marginTop = 22;
constexpr int marginBottom = 24;

QString number(const char16_t* format, double value)
{
    return QString::fromStdU16String(platform::format(format, {value}));
}

} // namespace

SignalPlot::SignalPlot(const Channel& channel, double duration, const QString& caption, QWidget* parent)
    : QWidget(parent), caption_(caption), peaks_(channel.peaks)
{
    for (uint32_t sample : channel.signal.copySamples())
        samples_.push_back(static_cast<double>(sample));
    // Without a stated duration, stretch the axis over the peaks so that they still line up.
    double span = duration;
    if (span <= 0)
        for (const Peak& peak : peaks_)
            span = std::max({span, peak.time * 1.05, peak.back});
    if (span <= 0)
        span = samples_.size() > 1 ? static_cast<double>(samples_.size() - 1) : 1.0;
    timeSpan_ = span;
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
}

double SignalPlot::sampleAt(double time) const
{
    if (samples_.empty())
        return 0;
    const double position = time / timeSpan_ * static_cast<double>(samples_.size() - 1);
    const auto index = static_cast<std::size_t>(std::clamp(std::lround(position), 0L, static_cast<long>(samples_.size() - 1)));
    return samples_[index];
}

void SignalPlot::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF area(marginLeft, marginTop, std::max(1, width() - marginLeft - marginRight),
                      std::max(1, height() - marginTop - marginBottom));

    double low = 0;
    double high = 1;
    if (!samples_.empty()) {
        auto [minimum, maximum] = std::minmax_element(samples_.begin(), samples_.end());
        low = *minimum;
        high = *maximum > *minimum ? *maximum : *minimum + 1;
    }
    const double headroom = (high - low) * 0.15;  // room for the peak labels
    high += headroom;
    auto x = [&](double time) { return area.left() + time / timeSpan_ * area.width(); };
    auto y = [&](double value) { return area.bottom() - (value - low) / (high - low) * area.height(); };

    painter.setPen(palette().color(QPalette::Text));
    painter.drawText(QRectF(area.left(), 2, area.width(), marginTop - 4), Qt::AlignLeft | Qt::AlignVCenter,
                     caption_);
    painter.setPen(QPen(Qt::gray, 1));
    painter.drawRect(area);
    for (int tick = 0; tick <= 5; ++tick) {
        const double time = timeSpan_ * tick / 5;
        painter.drawText(QRectF(x(time) - 30, area.bottom() + 2, 60, marginBottom - 4), Qt::AlignHCenter | Qt::AlignTop,
                         number(u"%.2f", time));
    }
    painter.drawText(QRectF(0, area.top(), marginLeft - 4, 16), Qt::AlignRight, number(u"%.0f", high));
    painter.drawText(QRectF(0, area.bottom() - 16, marginLeft - 4, 16), Qt::AlignRight, number(u"%.0f", low));

    if (samples_.size() > 1) {
        QPainterPath curve;
        for (std::size_t i = 0; i < samples_.size(); ++i) {
            const double time = timeSpan_ * static_cast<double>(i) / static_cast<double>(samples_.size() - 1);
            const QPointF point(x(time), y(samples_[i]));
            if (i == 0)
                curve.moveTo(point);
            else
                curve.lineTo(point);
        }
        painter.setPen(QPen(QColor(0, 90, 180), 1.5));
        painter.drawPath(curve);
    }

    painter.setPen(QPen(QColor(200, 40, 40), 1));
    for (const Peak& peak : peaks_) {
        const double px = x(peak.time);
        const double py = y(sampleAt(peak.time));
        painter.drawLine(QPointF(px, area.bottom()), QPointF(px, py));
        const QPolygonF mark({QPointF(px, py - 2), QPointF(px - 4, py - 9), QPointF(px + 4, py - 9)});
        painter.setBrush(QColor(200, 40, 40));
        painter.drawPolygon(mark);
        painter.setBrush(Qt::NoBrush);
        const QString label = peak.name.empty() ? number(u"%.3f", peak.time) : QString::fromStdU16String(peak.name);
        painter.drawText(QRectF(px - 60, py - 26, 120, 16), Qt::AlignHCenter | Qt::AlignBottom, label);
    }
}
