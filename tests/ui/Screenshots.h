#pragma once
// Saves a picture of a widget under <build>/screenshots/ui/<name>.png, for looking at.
#include <QString>

class QWidget;

bool saveScreenshot(QWidget* widget, const QString& name);
