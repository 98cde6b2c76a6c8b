#include "Fitral.h"

CFitral::CFitral() = default;

CFitral::~CFitral() = default;

namespace {

bool allEqualTo(const double* values, int count, double value)
{
    for (int i = 0; i < count; ++i)
        if (!(values[i] == value))
            return false;
    return true;
}

void fitWithIntercept(int count, const double* x, const double* y, double* coefficients)
{
    // A set of equal abscissae has no slope. Tested exactly, since the centred sum of squares
    // below can come out as a tiny non-zero number for equal values.
    if (allEqualTo(x, count, x[0]))
        return;
    double sumX = 0, sumY = 0;
    for (int i = 0; i < count; ++i) {
        sumX += x[i];
        sumY += y[i];
    }
    const double meanX = sumX / count;
    const double meanY = sumY / count;
    // Centred sums keep the precision when the areas are large and close together.
    double sxx = 0, sxy = 0;
    for (int i = 0; i < count; ++i) {
        const double dx = x[i] - meanX;
        sxx += dx * dx;
        sxy += dx * (y[i] - meanY);
    }
    if (sxx == 0)
        return;
    const double slope = sxy / sxx;
    coefficients[0] = meanY - slope * meanX;
    coefficients[1] = slope;
}

void fitThroughOrigin(int count, const double* x, const double* y, double* coefficients)
{
    if (allEqualTo(x, count, 0.0))
        return;
    double sxx = 0, sxy = 0;
    for (int i = 0; i < count; ++i) {
        sxx += x[i] * x[i];
        sxy += x[i] * y[i];
    }
    if (sxx == 0)
        return;
    coefficients[1] = sxy / sxx;
}

} // namespace

void CFitral::KAbsolutLowSquare(int mode, int count, double* const x, double* const y, double* const coefficients)
{
    if (count < 2 || !x || !y || !coefficients)
        return;
    if (mode == 1)
        fitWithIntercept(count, x, y, coefficients);
    else if (mode == 0)
        fitThroughOrigin(count, x, y, coefficients);
}
