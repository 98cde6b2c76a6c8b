#pragma once
// Dialog units, the measure of dialog templates: a horizontal unit is a quarter of the dialog
// font's average character width, a vertical unit an eighth of its height. Converting them the
// way Windows does keeps the templates' proportions whatever font the desktop gives us.
#include <QFont>
#include <QRect>
#include <QSize>

namespace ui {

class DialogUnits {
public:
    // Base units from the font: the average width of the Latin letters (rounded as Windows
    // rounds it) and the font's line height.
    explicit DialogUnits(const QFont& font);
    DialogUnits(int baseWidth, int baseHeight);

    int baseWidth() const { return baseWidth_; }
    int baseHeight() const { return baseHeight_; }

    int toPixelsX(int units) const;
    int toPixelsY(int units) const;
    QRect toPixels(int x, int y, int cx, int cy) const;
    QSize toPixels(int cx, int cy) const;

private:
    int baseWidth_;
    int baseHeight_;
};

} // namespace ui
