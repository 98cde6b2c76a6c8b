#include "ui/DialogUnits.h"

#include <QFontMetrics>
#include <QString>


namespace ui {

namespace {

// value * numerator / denominator rounded half away from zero, as Windows' MulDiv does.
int mulDiv(int value, int numerator, int denominator)
{
    const long long product = static_cast<long long>(value) * numerator;
    const long long half = denominator / 2;
    const long long rounded = product >= 0 ? (product + half) / denominator : -((-product + half) / denominator);
    return static_cast<int>(rounded);
}

} // namespace

DialogUnits::DialogUnits(const QFont& font)
{
    const QFontMetrics metrics(font);
    const int letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    baseWidth_ = (letters / 26 + 1) / 2;
    baseHeight_ = metrics.height();
    if (baseWidth_ < 1)
        baseWidth_ = 1;
    if (baseHeight_ < 1)
        baseHeight_ = 1;
}

DialogUnits::DialogUnits(int baseWidth, int baseHeight)
    : baseWidth_(baseWidth < 1 ? 1 : baseWidth), baseHeight_(baseHeight < 1 ? 1 : baseHeight)
{
}

int DialogUnits::toPixelsX(int units) const { return mulDiv(units, baseWidth_, 4); }

int DialogUnits::toPixelsY(int units) const { return mulDiv(units, baseHeight_, 8); }

QRect DialogUnits::toPixels(int x, int y, int cx, int cy) const
{
    return QRect(toPixelsX(x), toPixelsY(y), toPixelsX(cx), toPixelsY(cy));
}

QSize DialogUnits::toPixels(int cx, int cy) const { return QSize(toPixelsX(cx), toPixelsY(cy)); }

} // namespace ui
