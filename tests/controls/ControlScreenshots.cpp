#include "ControlScreenshots.h"

#include <QDir>
#include <QPixmap>
#include <QWidget>

QString saveControlScreenshot(QWidget* widget, const QString& name)
{
    const QString folder = QStringLiteral(VEXOL_BUILD_DIR "/screenshots/controls");
    QDir().mkpath(folder);
    const QString path = folder + u'/' + name + QStringLiteral(".png");
    return widget->grab().save(path) ? path : QString();
}
