// The scroll bars' ranges and positions, every scroll request and the zoom rectangle's ranges.
#include "ui/controls/ChartNavigation.h"

#include <gtest/gtest.h>

using namespace controls;

TEST(ScrollBars, ShownOnlyWhenTheViewIsNarrowerThanTheData)
{
    const ScrollBarState h = horizontalBarState({0, 100}, {40, 60}, 5);
    EXPECT_TRUE(h.shown);
    EXPECT_TRUE(h.rangeSet);
    EXPECT_EQ(h.maximum, 16);
    EXPECT_EQ(h.position, 8);
    const ScrollBarState v = verticalBarState({0, 100}, {40, 70}, 5);
    EXPECT_TRUE(v.shown);
    EXPECT_EQ(v.maximum, 14);
    EXPECT_EQ(v.position, 6);   // counted from the top: (100 - 70) / 5

    EXPECT_FALSE(horizontalBarState({0, 100}, {-10, 110}, 10).shown);
    EXPECT_FALSE(verticalBarState({0, 100}, {0, 100}, 10).shown);
    // Shifted past the data's start but no narrower: shown, and the bar keeps its range.
    const ScrollBarState tight = horizontalBarState({0, 100}, {10, 120}, 10);
    EXPECT_TRUE(tight.shown);
    EXPECT_FALSE(tight.rangeSet);
    // A tiny step cannot overflow the bar.
    EXPECT_GT(horizontalBarState({0, 1e300}, {0, 1}, 1e-300).maximum, 0);
}

TEST(ScrollRequests, LineRightStopsAtTheEndWithTheWidthKept)
{
    AxisRange view{40, 60};
    int steps = 0;
    while (auto next = horizontalScrollTarget(ScrollRequest::LineForward, 0, view, {0, 100}, 5)) {
        EXPECT_DOUBLE_EQ(next->hi - next->lo, 20);
        view = *next;
        ASSERT_LT(++steps, 100);
    }
    EXPECT_EQ(steps, 8);
    EXPECT_EQ(view, (AxisRange{80, 100}));

    view = {40, 60};
    while (auto next = horizontalScrollTarget(ScrollRequest::PageBack, 0, view, {0, 100}, 15))
        view = *next;
    EXPECT_EQ(view, (AxisRange{0, 20}));

    EXPECT_EQ(horizontalScrollTarget(ScrollRequest::ThumbTrack, 3, {40, 60}, {0, 100}, 5), (AxisRange{15, 35}));
    EXPECT_EQ(horizontalScrollTarget(ScrollRequest::ThumbTrack, 100, {40, 60}, {0, 100}, 5), (AxisRange{80, 100}));
    EXPECT_FALSE(horizontalScrollTarget(ScrollRequest::Other, 3, {40, 60}, {0, 100}, 5));
    EXPECT_FALSE(horizontalScrollTarget(ScrollRequest::ThumbTrack, 8, {40, 60}, {0, 100}, 5));
}

TEST(ScrollRequests, VerticalMirrorsWithTheTopAsOrigin)
{
    EXPECT_EQ(verticalScrollTarget(ScrollRequest::LineBack, 0, {40, 60}, {0, 100}, 5), (AxisRange{45, 65}));
    EXPECT_EQ(verticalScrollTarget(ScrollRequest::PageForward, 0, {40, 60}, {0, 100}, 5), (AxisRange{35, 55}));
    EXPECT_EQ(verticalScrollTarget(ScrollRequest::ThumbTrack, 2, {40, 60}, {0, 100}, 5), (AxisRange{70, 90}));
    EXPECT_EQ(verticalScrollTarget(ScrollRequest::ThumbTrack, 50, {40, 60}, {0, 100}, 5), (AxisRange{0, 20}));
    EXPECT_EQ(verticalScrollTarget(ScrollRequest::LineBack, 0, {95, 100}, {0, 100}, 5), std::nullopt);
    EXPECT_EQ(verticalScrollTarget(ScrollRequest::LineForward, 0, {0, 5}, {0, 100}, 5), std::nullopt);
}

TEST(Zoom, PixelsToDataAndNeverWiderThanTheView)
{
    const PixelRect plot{10, 20, 110, 120};
    const ScaleMap scale{plot, {0, 99}, {0, 99}};
    EXPECT_DOUBLE_EQ(*scale.dataX(10), 0);
    EXPECT_DOUBLE_EQ(*scale.dataX(109), 99);
    EXPECT_DOUBLE_EQ(*scale.dataY(20), 99);
    EXPECT_DOUBLE_EQ(*scale.dataY(119), 0);
    EXPECT_FALSE((ScaleMap{{10, 20, 11, 120}, {0, 1}, {0, 1}}.dataX(5)));

    const auto t = zoomTarget(60, -30, -50, 30, {0, 100}, {-10, 10});
    ASSERT_TRUE(t);
    EXPECT_EQ(t->x, (AxisRange{0, 60}));
    EXPECT_EQ(t->y, (AxisRange{-10, 10}));

    // Spans below 1/100000 of their values are refused, on either axis.
    EXPECT_FALSE(zoomTarget(1000, 0, 1000.001, 1, {0, 2000}, {0, 2}));
    EXPECT_FALSE(zoomTarget(0, 1000, 1, 1000.001, {0, 2}, {0, 2000}));
    EXPECT_TRUE(zoomTarget(1000, 0, 1000.02, 1, {0, 2000}, {0, 2}));
}
