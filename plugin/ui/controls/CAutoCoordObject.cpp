#include "ui/controls/CAutoCoordObject.h"

namespace controls {

int CAutoCoordObject::mapX(double x) const
{
    return ScaleMap{plotRect, {xMin, xMax}, {yMin, yMax}}.mapX(x);
}

int CAutoCoordObject::mapY(double y) const
{
    return ScaleMap{plotRect, {xMin, xMax}, {yMin, yMax}}.mapY(y);
}

} // namespace controls
