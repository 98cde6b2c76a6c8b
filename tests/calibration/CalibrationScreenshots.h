#pragma once
// Saves a picture of a widget under <build>/screenshots/calibration/<name>.png, for looking at.
#include <QString>

class QWidget;

bool saveCalibrationScreenshot(QWidget* widget, const QString& name);
