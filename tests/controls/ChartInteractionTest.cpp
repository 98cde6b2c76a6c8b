// The zoom rectangle's states through sequences of mouse events, and scrolling only with a bar.
#include "ui/controls/ChartInteraction.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

using namespace controls;
using State = ChartInteraction::State;

namespace {

// Plot pixels 10..109 show 0..99 on both axes (y upward).
const ScaleMap kScale{{10, 10, 110, 110}, {0, 99}, {0, 99}};

struct Event {
    enum Kind { Press, Move, MoveNoButton, Release, Cancel } kind;
    PixelPoint at;
};

struct Outcome {
    State state;
    int zooms = 0;
    std::optional<ZoomTarget> lastZoom;
    std::vector<bool> taken;   // per event: press/release taken, move/cancel changed the band
};

Outcome run(const std::vector<Event>& events)
{
    ChartInteraction interaction;
    Outcome out;
    for (const Event& e : events) {
        bool taken = false;
        switch (e.kind) {
        case Event::Press: taken = interaction.press(e.at); break;
        case Event::Move: taken = interaction.move(e.at, true); break;
        case Event::MoveNoButton: taken = interaction.move(e.at, false); break;
        case Event::Cancel: taken = interaction.cancel(); break;
        case Event::Release: {
            std::optional<ZoomTarget> zoom;
            taken = interaction.release(kScale, zoom);
            if (zoom) {
                ++out.zooms;
                out.lastZoom = zoom;
            }
            break;
        }
        }
        out.taken.push_back(taken);
    }
    out.state = interaction.state();
    return out;
}

} // namespace

TEST(ChartInteraction, DragSequences)
{
    using E = Event;
    struct Case {
        const char* name;
        std::vector<Event> events;
        State state;
        int zooms;
        std::vector<bool> taken;
    };
    const Case cases[] = {
        {"nothing yet", {}, State::Idle, 0, {}},
        {"press only", {{E::Press, {20, 20}}}, State::Pressing, 0, {true}},
        {"press and release is a click", {{E::Press, {20, 20}}, {E::Release, {20, 20}}}, State::Done, 0, {true, true}},
        {"a move to the same point changes nothing",
         {{E::Press, {20, 20}}, {E::Move, {20, 20}}}, State::Pressing, 0, {true, false}},
        {"drag and release zooms",
         {{E::Press, {20, 20}}, {E::Move, {40, 50}}, {E::Release, {40, 50}}}, State::Done, 1, {true, true, true}},
        {"two pixels wide is a click",
         {{E::Press, {20, 20}}, {E::Move, {22, 60}}, {E::Release, {22, 60}}}, State::Done, 0, {true, true, true}},
        {"two pixels high is a click",
         {{E::Press, {20, 20}}, {E::Move, {60, 18}}, {E::Release, {60, 18}}}, State::Done, 0, {true, true, true}},
        {"three pixels both ways zoom",
         {{E::Press, {20, 20}}, {E::Move, {23, 17}}, {E::Release, {23, 17}}}, State::Done, 1, {true, true, true}},
        {"a move without the button ends the drag",
         {{E::Press, {20, 20}}, {E::Move, {40, 50}}, {E::MoveNoButton, {60, 60}}, {E::Release, {60, 60}}},
         State::Done, 0, {true, true, true, false}},
        {"a second press during a drag is not the zoom's",
         {{E::Press, {20, 20}}, {E::Move, {40, 50}}, {E::Press, {70, 70}}}, State::Dragging, 0, {true, true, false}},
        {"cancelled, then a new drag",
         {{E::Press, {20, 20}}, {E::Move, {40, 50}}, {E::Cancel, {}}, {E::Release, {40, 50}}, {E::Press, {30, 30}},
          {E::Move, {60, 60}}, {E::Release, {60, 60}}},
         State::Done, 1, {true, true, true, false, true, true, true}},
        {"a release with no drag is the owner's", {{E::Release, {20, 20}}, {E::Cancel, {}}}, State::Idle, 0,
         {false, false}},
    };
    for (const Case& k : cases) {
        const Outcome out = run(k.events);
        EXPECT_EQ(out.state, k.state) << k.name;
        EXPECT_EQ(out.zooms, k.zooms) << k.name;
        EXPECT_EQ(out.taken, k.taken) << k.name;
    }
}

TEST(ChartInteraction, ZoomReadsTheCornersInTheLastPaintsScale)
{
    // Corners in either order; beyond the plot the range stops at the view's edge.
    const Outcome out = run({{Event::Press, {40, 100}}, {Event::Move, {200, 30}}, {Event::Release, {200, 30}}});
    ASSERT_TRUE(out.lastZoom);
    EXPECT_EQ(out.lastZoom->x, (AxisRange{30, 99}));
    EXPECT_EQ(out.lastZoom->y, (AxisRange{9, 79}));

    // A plot too small to read gives no zoom, though the drag is done.
    ChartInteraction interaction;
    interaction.press({0, 0});
    interaction.move({5, 5}, true);
    std::optional<ZoomTarget> zoom;
    EXPECT_TRUE(interaction.release(ScaleMap{{0, 0, 1, 1}, {0, 1}, {0, 1}}, zoom));
    EXPECT_FALSE(zoom);
    EXPECT_EQ(interaction.state(), State::Done);
}

TEST(ChartInteraction, ScrollingNeedsAShownBar)
{
    ChartFrame frame;
    frame.fullX = {0, 100};
    frame.fullY = {0, 100};
    frame.scale.x = {40, 60};
    frame.scale.y = {40, 60};
    frame.xTicks.step = 5;
    frame.yTicks.step = 5;
    EXPECT_FALSE(ChartInteraction::horizontalScroll(ScrollRequest::LineForward, 0, false, frame));
    EXPECT_FALSE(ChartInteraction::verticalScroll(ScrollRequest::PageBack, 0, false, frame));
    EXPECT_EQ(ChartInteraction::horizontalScroll(ScrollRequest::LineForward, 0, true, frame), (AxisRange{45, 65}));
    EXPECT_EQ(ChartInteraction::verticalScroll(ScrollRequest::PageBack, 0, true, frame), (AxisRange{45, 65}));
}
