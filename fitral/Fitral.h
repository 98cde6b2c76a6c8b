#pragma once
// The fit library: straight lines through points by least squares.

#define FITRAL_API __attribute__((visibility("default")))

class FITRAL_API CFitral {
public:
    CFitral();
    virtual ~CFitral();

    // Fits y against x over `count` points and writes the coefficients:
    //   mode 1: the line y = c[1] * x + c[0] (intercept in slot 0, slope in slot 1);
    //   mode 0: the line through the origin y = c[1] * x (slot 0 untouched).
    // x and y are only read. Input without a defined line (fewer than 2 points, all x equal for
    // mode 1, all x zero for mode 0, an unknown mode, missing arrays) writes nothing.
    void KAbsolutLowSquare(int mode, int count, double* const x, double* const y, double* const coefficients);
};
