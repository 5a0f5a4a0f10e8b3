// The frame loop: every pending tick runs before the one draw and copy of a frame.
#include "support/harness.h"

namespace {

// A scene that records what the loop does with it.
struct ProbeLoop {
    static std::vector<std::string> calls;
    static int polls_to_run;    // running() turns false after this many frames
    static int ticks_at_tick_3; // extra ticks that "fall due" during tick 3
    static int ticks;
    static int draws;
    static bool still;   // ticks leave the look as it is
    static uint64_t shown_look;

    static void enter() { calls.push_back("enter"); }
    static void latch() {}
    static bool running() { return int(polled_tracks.size()) < polls_to_run; }
    static void tick()
    {
        ticks++;
        calls.push_back("tick");
        if (ticks == 3)
            speed_count += ticks_at_tick_3;
        if (!still)
            shown_look++;
    }
    static uint64_t look() { return shown_look; }
    static void draw()
    {
        draws++;
        calls.push_back("draw");
        clear_to_color(buffer, makecol(10, 20, 30 + draws));
    }
};

std::vector<std::string> ProbeLoop::calls;
int ProbeLoop::polls_to_run;
int ProbeLoop::ticks_at_tick_3;
int ProbeLoop::ticks;
int ProbeLoop::draws;
bool ProbeLoop::still;
uint64_t ProbeLoop::shown_look;

class FrameLoop : public Headless {
protected:
    void SetUp() override
    {
        Headless::SetUp();
        ProbeLoop::calls.clear();
        ProbeLoop::polls_to_run = 1;
        ProbeLoop::ticks_at_tick_3 = 0;
        ProbeLoop::ticks = 0;
        ProbeLoop::draws = 0;
        ProbeLoop::still = false;
        ProbeLoop::shown_look = 0;
    }
};

std::vector<std::string> seq(std::initializer_list<const char *> l)
{
    return std::vector<std::string>(l.begin(), l.end());
}

} // namespace

TEST_F(FrameLoop, PendingTicksAllRunBeforeTheFrameIsDrawn)
{
    speed_count = 5;
    loop<ProbeLoop>();
    EXPECT_EQ(ProbeLoop::calls, seq({"enter", "tick", "tick", "tick", "tick", "tick", "draw"}));
    EXPECT_EQ(speed_count, 0);
    EXPECT_EQ(polled_tracks.size(), 1u);
}

TEST_F(FrameLoop, TickFallingDueDuringTheTicksRunsInTheSameFrame)
{
    speed_count = 3;
    ProbeLoop::ticks_at_tick_3 = 2;
    loop<ProbeLoop>();
    EXPECT_EQ(ProbeLoop::calls, seq({"enter", "tick", "tick", "tick", "tick", "tick", "draw"}));
    EXPECT_EQ(speed_count, 0);
}

TEST_F(FrameLoop, OnlyTheFirstFrameAndFramesAfterATickAreDrawnAndCopied)
{
    // Four frames: the scene's first, one with nothing due (polled only),
    // one with two ticks due, one with nothing due again.
    ProbeLoop::polls_to_run = 4;
    on_frame = [] {
        if (polled_tracks.size() == 3)
            speed_count += 2;
    };
    loop<ProbeLoop>();
    EXPECT_EQ(ProbeLoop::calls, seq({"enter", "draw", "tick", "tick", "draw"}));
    EXPECT_EQ(polled_tracks.size(), 4u);
    // The copy to the screen is the whole 640x480 frame, from the last draw.
    EXPECT_EQ(rgb_at(screen, 0, 0), 0x0a1420);
    EXPECT_EQ(rgb_at(screen, 639, 479), 0x0a1420);
}

TEST_F(FrameLoop, SceneOverAfterEnterDrawsNothing)
{
    ProbeLoop::polls_to_run = 0;
    speed_count = 4;
    clear_to_color(screen, makecol(1, 2, 3));
    clear_to_color(buffer, makecol(9, 9, 9));
    loop<ProbeLoop>();
    EXPECT_EQ(ProbeLoop::calls, seq({"enter"}));
    EXPECT_TRUE(polled_tracks.empty());
    EXPECT_EQ(speed_count, 4);
    EXPECT_EQ(rgb_at(screen, 320, 240), 0x010203);
    // The buffer is still cleared to the background colour before enter().
    EXPECT_EQ(rgb_at(buffer, 320, 240), 0x000000);
}

TEST_F(FrameLoop, HundredThousandPendingTicksRunInOneFrame)
{
    speed_count = 100000;
    loop<ProbeLoop>();
    EXPECT_EQ(ProbeLoop::ticks, 100000);
    EXPECT_EQ(ProbeLoop::draws, 1);
    EXPECT_EQ(speed_count, 0);
}

TEST_F(FrameLoop, TicksThatLeaveTheLookAsItIsDrawNothingUntilTheScreenNeedsTheFrame)
{
    // Five frames: the first; three still ticks; a repaint asked for, as a
    // toggle or resize does; a tick that changes the look; nothing due.
    ProbeLoop::polls_to_run = 5;
    ProbeLoop::still = true;
    on_frame = [] {
        if (polled_tracks.size() == 2)
            speed_count += 3;
        if (polled_tracks.size() == 3)
            repaint_frame();
        if (polled_tracks.size() == 4) {
            ProbeLoop::still = false;
            speed_count += 1;
        }
    };
    loop<ProbeLoop>();
    EXPECT_EQ(ProbeLoop::calls, seq({"enter", "draw", "tick", "tick", "tick", "draw", "tick", "draw"}));
    EXPECT_EQ(rgb_at(screen, 320, 240), 0x0a1421);   // the third draw
}
