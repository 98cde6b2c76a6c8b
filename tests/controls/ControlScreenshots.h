#pragma once
// Saves a picture of a widget under <build>/screenshots/controls/<name>.png, for looking at.
#include <QString>

class QWidget;

QString saveControlScreenshot(QWidget* widget, const QString& name);
