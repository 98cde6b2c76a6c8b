#pragma once
// The owner's choice of ranges, shared by the chart's axes: automatic (from the data) or fixed,
// and the precision of a range computed from the data.
#include "ui/controls/ScaleMap.h"

namespace controls {

class CAutoCoordObject {
public:
    bool autoX = true;
    bool autoY = true;
    double xMinFixed = 0, xMaxFixed = 0, yMinFixed = 0, yMaxFixed = 0;
    int xPrecision = 3;
    int yPrecision = 3;

    // The range in use for a data range: the data's on an automatic axis, the fixed one otherwise.
    AxisRange rangeInUseX(AxisRange data) const { return autoX ? data : AxisRange{xMinFixed, xMaxFixed}; }
    AxisRange rangeInUseY(AxisRange data) const { return autoY ? data : AxisRange{yMinFixed, yMaxFixed}; }
};

} // namespace controls
