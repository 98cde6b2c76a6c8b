#include "CalibrationScreenshots.h"

#include <QDir>
#include <QPixmap>
#include <QWidget>

bool saveCalibrationScreenshot(QWidget* widget, const QString& name)
{
    const QString folder = QStringLiteral(VEXOL_BUILD_DIR "/screenshots/calibration");
    QDir().mkpath(folder);
    return widget->grab().save(folder + QLatin1Char('/') + name + QStringLiteral(".png"), "PNG");
}
