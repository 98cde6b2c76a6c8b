#include "Screenshots.h"

#include <QDir>
#include <QPixmap>
#include <QWidget>

bool saveScreenshot(QWidget* widget, const QString& name)
{
    const QString folder = QStringLiteral(VEXOL_BUILD_DIR "/screenshots/ui");
    QDir().mkpath(folder);
    return widget->grab().save(folder + QLatin1Char('/') + name + QStringLiteral(".png"), "PNG");
}
