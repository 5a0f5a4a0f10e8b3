// The intro: how long it lasts, what ends it early, where it leaves the pointer, what it shows.
#include "support/harness.h"
#include "support/pictures.h"

#include "screens/intro.h"

#include <allegro/internal/aintern.h>

namespace {

const char credit[] = "holbreck, jorun & pastinel, milo present";

// A mouse driver that only records where the game puts the pointer, so that
// poll_mouse() and position_mouse() do what they do with a real mouse.
using Moves = std::vector<std::pair<int, int>>;
Moves pointer_moves;

void record_position(int x, int y)
{
    pointer_moves.emplace_back(x, y);
}

MOUSE_DRIVER recording_mouse = {
    1, "recorder", "recorder", "recorder", nullptr, nullptr, nullptr, nullptr,
    record_position, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
};

class Intro : public Headless {
protected:
    void SetUp() override
    {
        Headless::SetUp();
        load_game_data();
        pointer_moves.clear();
        _mouse_b = 0;
        mouse_driver = &recording_mouse;
    }
    void TearDown() override
    {
        mouse_driver = nullptr;
        _mouse_b = 0;
        mouse_b = 0;
        clear_keybuf();
        Headless::TearDown();
    }

    // One tick due at every frame, as at 30 frames a second; counts the frames.
    void one_tick_a_frame()
    {
        frames = 0;
        on_frame = [this] {
            frames++;
            speed_count += 1;
            if (frames >= 1000) {
                ADD_FAILURE() << "the intro never ends";
                finishedtitle = true;
                speed_count = 0;
            }
        };
    }

    int frames = 0;
};

const std::pair<int, int> ending_spot{400, 200};

} // namespace

TEST_F(Intro, LastsExactly121TicksWithTicksDueBeforeItDropped)
{
    speed_count = 500;   // start-up took a long time
    finishedtitle = true;   // left over from an earlier scene
    one_tick_a_frame();
    loop<IntroLoop>();
    EXPECT_EQ(titletimer, 121);
    EXPECT_EQ(frames, 121);
    EXPECT_TRUE(finishedtitle);
    EXPECT_FALSE(quit);
    EXPECT_EQ(pointer_moves, Moves{ending_spot});
    // Silent: no music to poll, no sound asked for.
    EXPECT_EQ(polled_tracks, std::vector<int>(121, -1));
    EXPECT_TRUE(audio_log.empty());

    // Tick by tick: the 120th tick does not end it, the 121st does.
    IntroLoop::enter();
    run_ticks<IntroLoop>(120);
    EXPECT_TRUE(IntroLoop::running());
    run_ticks<IntroLoop>(1);
    EXPECT_FALSE(IntroLoop::running());
}

TEST_F(Intro, OnlyTheLeftButtonEndsIt)
{
    IntroLoop::enter();
    _mouse_b = 2;   // right
    run_ticks<IntroLoop>(3);
    _mouse_b = 4;   // middle
    _mouse_x = 300;
    _mouse_y = 100;
    run_ticks<IntroLoop>(3);
    EXPECT_TRUE(IntroLoop::running());
    EXPECT_TRUE(pointer_moves.empty());

    _mouse_b = 1 | 2;
    run_ticks<IntroLoop>(1);
    EXPECT_FALSE(IntroLoop::running());
    EXPECT_EQ(titletimer, 7);
    EXPECT_EQ(pointer_moves, Moves{ending_spot});
}

TEST_F(Intro, HeldKeysAreNotReadOnlyTheKeyboardBufferIs)
{
    IntroLoop::enter();
    press(KEY_SPACE);
    press(KEY_ESC);
    run_ticks<IntroLoop>(5);
    EXPECT_TRUE(IntroLoop::running());

    simulate_keypress(KEY_ESC << 8 | 27);
    run_ticks<IntroLoop>(1);
    EXPECT_FALSE(IntroLoop::running());
    EXPECT_FALSE(quit);   // Esc is an ordinary key here
}

TEST_F(Intro, KeyTypedDuringStartUpEndsTheFirstTickAndStaysInTheBuffer)
{
    simulate_keypress(KEY_A << 8 | 'a');
    speed_count = 40;
    // The first frame's three ticks all see the key: each one moves the pointer.
    on_frame = [] { speed_count += 3; };
    loop<IntroLoop>();
    EXPECT_EQ(titletimer, 3);
    EXPECT_EQ(polled_tracks.size(), 1u);
    EXPECT_EQ(pointer_moves, Moves(3, ending_spot));
    EXPECT_TRUE(keypressed());

    // The frame drawn after the ending tick still shows the credit line.
    int left = 320 - text_length(f, credit) / 2;
    EXPECT_TRUE(text_at(screen, left, 200, credit, 0xaad33a, 0xd38c3a, stripes_behind));
}

TEST_F(Intro, DrawsStripesAndTheCreditLineCentredAt320)
{
    clear_to_color(buffer, makecol(1, 2, 3));
    IntroLoop::draw();

    // Measure the line where it lies instead of trusting the formula.
    int h = text_height(f);
    int left = 640, right = -1;
    for (int y = 200; y < 200 + h; y++)
        for (int x = 0; x < 640; x++)
            if (rgb_at(buffer, x, y) != stripe_rgb(y)) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    int w = text_length(f, credit);
    ASSERT_EQ(right - left + 1, w);
    EXPECT_EQ(left, 320 - w / 2);
    EXPECT_TRUE(text_at(buffer, left, 200, credit, 0xaad33a, 0xd38c3a, stripes_behind));

    // Everything else is stripes, every row across the full width.
    EXPECT_TRUE(untouched(buffer, 0, 0, 640, 200, stripes_behind));
    EXPECT_TRUE(untouched(buffer, 0, 200 + h, 640, 480 - 200 - h, stripes_behind));
    EXPECT_TRUE(untouched(buffer, 0, 200, left, h, stripes_behind));
    EXPECT_TRUE(untouched(buffer, right + 1, 200, 639 - right, h, stripes_behind));
}
