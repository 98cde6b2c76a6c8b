#include <gtest/gtest.h>

#include <vector>

#include "Fitral.h"

namespace {

struct Fit {
    double c[4] = {-7, -7, -7, -7};  // a value no fit gives, to see what was written
};

Fit fit(int mode, std::vector<double> x, std::vector<double> y)
{
    const std::vector<double> x0 = x, y0 = y;
    Fit result;
    CFitral fitral;
    fitral.KAbsolutLowSquare(mode, static_cast<int>(x.size()), x.data(), y.data(), result.c);
    EXPECT_EQ(x, x0);  // both calls of a calibration share the arrays
    EXPECT_EQ(y, y0);
    return result;
}

} // namespace

TEST(Fitral, LineWithInterceptBySlotZeroAndOne)
{
    Fit f = fit(1, {100, 200}, {1.5, 2.5});
    EXPECT_NEAR(f.c[0], 0.5, 1e-12);
    EXPECT_NEAR(f.c[1], 0.01, 1e-15);
    EXPECT_EQ(f.c[2], -7);

    // Least squares over scattered points: y = 2x + 1 with symmetric noise.
    Fit g = fit(1, {0, 1, 2, 3}, {1.1, 2.9, 5.1, 6.9});
    EXPECT_NEAR(g.c[1], 1.96, 1e-12);
    EXPECT_NEAR(g.c[0], 1.06, 1e-12);
}

TEST(Fitral, LineThroughTheOriginLeavesSlotZero)
{
    Fit f = fit(0, {100, 200}, {1, 2});
    EXPECT_NEAR(f.c[1], 0.01, 1e-15);
    EXPECT_EQ(f.c[0], -7);
    Fit g = fit(0, {1, 2}, {1, 3});  // (1*1 + 2*3) / (1 + 4)
    EXPECT_NEAR(g.c[1], 1.4, 1e-15);
}

TEST(Fitral, DegenerateInputWritesNothing)
{
    for (int mode : {0, 1}) {
        Fit one = fit(mode, {5}, {1});
        EXPECT_EQ(one.c[0], -7);
        EXPECT_EQ(one.c[1], -7);
        Fit none = fit(mode, {}, {});
        EXPECT_EQ(none.c[1], -7);
    }
    Fit equal = fit(1, {0.1, 0.1, 0.1}, {1, 2, 3});
    EXPECT_EQ(equal.c[0], -7);
    EXPECT_EQ(equal.c[1], -7);
    Fit zeros = fit(0, {0, 0}, {1, 2});
    EXPECT_EQ(zeros.c[1], -7);
    Fit unknownMode = fit(3, {1, 2}, {1, 2});
    EXPECT_EQ(unknownMode.c[1], -7);

    CFitral fitral;
    double c[4] = {-7, -7, -7, -7};
    fitral.KAbsolutLowSquare(1, 2, nullptr, nullptr, c);
    fitral.KAbsolutLowSquare(1, -3, nullptr, nullptr, nullptr);
    EXPECT_EQ(c[1], -7);
}
