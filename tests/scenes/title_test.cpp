// The title menu: key latches, choices and their sounds, the closing countdown and its blink.
#include "support/harness.h"
#include "support/pictures.h"

#include "screens/title.h"

namespace {

const int plain_fg = 0xaad33a, plain_bg = 0xd38c3a;
const int lit_fg = 0x000000, lit_bg = 0xffffff;

// The title menu with a script run before each of its ticks, so that keys can
// change between two ticks of one frame.
struct ScriptedTitle : TitleLoop {
    static std::function<void(int)> before_tick;   // gets the tick's number, from 1
    static int ticks;
    static void tick()
    {
        ticks++;
        if (before_tick)
            before_tick(ticks);
        TitleLoop::tick();
    }
};
std::function<void(int)> ScriptedTitle::before_tick;
int ScriptedTitle::ticks;

class Title : public Headless {
protected:
    void SetUp() override
    {
        Headless::SetUp();
        load_game_data();
        ScriptedTitle::before_tick = nullptr;
        ScriptedTitle::ticks = 0;
        frames = 0;
    }
    void TearDown() override
    {
        ScriptedTitle::before_tick = nullptr;
        Headless::TearDown();
    }

    // The menu with every key seen up once, ready for input.
    static void open_menu()
    {
        TitleLoop::enter();
        run_ticks<TitleLoop>(1);
    }

    // A fresh menu with `item` highlighted and chosen with Space: the countdown starts.
    void choose(int item)
    {
        SetUp();
        open_menu();
        if (item == 1) {
            press(KEY_DOWN);
            run_ticks<TitleLoop>(1);
            release(KEY_DOWN);
            audio_log.clear();
        }
        press(KEY_SPACE);
        run_ticks<TitleLoop>(1);
    }

    // Runs the menu one tick per frame; keys follow the script by tick number.
    void one_tick_a_frame(std::function<void(int)> script)
    {
        ScriptedTitle::before_tick = std::move(script);
        on_frame = [this] {
            frames++;
            speed_count += 1;
            stop_runaway(1000);
        };
    }

    // Ends a menu that would otherwise never close.
    void stop_runaway(int limit)
    {
        if (frames < limit)
            return;
        ADD_FAILURE() << "the menu never closes";
        quit = true;
        endmenutimer = 0;
        speed_count = 0;
    }

    std::vector<std::string> sounds(int n)
    {
        return std::vector<std::string>(static_cast<size_t>(n), "sample 0");
    }

    int frames;
};

// What lies under the menu text: the title picture, or the stripes where it is see-through.
int behind_menu(int x, int y)
{
    int c = getpixel(title, x, y);
    return c == bitmap_mask_color(title) ? stripe_rgb(y) : rgb_at(title, x, y);
}

::testing::AssertionResult start_lit(BITMAP *b) { return text_at(b, 310, 420, " START ", lit_fg, lit_bg, behind_menu); }
::testing::AssertionResult start_plain(BITMAP *b) { return text_at(b, 310, 420, " Start ", plain_fg, plain_bg, behind_menu); }
::testing::AssertionResult exit_lit(BITMAP *b) { return text_at(b, 310, 440, " EXIT ", lit_fg, lit_bg, behind_menu); }
::testing::AssertionResult exit_plain(BITMAP *b) { return text_at(b, 310, 440, " Exit ", plain_fg, plain_bg, behind_menu); }
::testing::AssertionResult no_start(BITMAP *b) { return untouched(b, 310, 420, text_length(f, " START "), text_height(f), behind_menu); }
::testing::AssertionResult no_exit(BITMAP *b) { return untouched(b, 310, 440, text_length(f, " EXIT "), text_height(f), behind_menu); }

} // namespace

TEST_F(Title, KeysHeldWhenItOpensDoNothingUntilReleased)
{
    quit = true;
    TitleLoop::begin = true;
    TitleLoop::selected = 1;
    endmenutimer = 7;
    for (int k : {KEY_SPACE, KEY_ESC, KEY_UP, KEY_DOWN})
        press(k);
    TitleLoop::enter();
    EXPECT_EQ(endmenutimer, 0);
    EXPECT_FALSE(quit);
    EXPECT_FALSE(TitleLoop::begin);
    EXPECT_EQ(TitleLoop::selected, 0);

    run_ticks<TitleLoop>(10);
    EXPECT_TRUE(TitleLoop::running());
    EXPECT_EQ(TitleLoop::selected, 0);
    EXPECT_TRUE(audio_log.empty());

    // Each key acts once it has been seen up.
    release(KEY_UP);
    run_ticks<TitleLoop>(1);
    press(KEY_UP);
    run_ticks<TitleLoop>(1);
    EXPECT_EQ(TitleLoop::selected, 1);
    release(KEY_ESC);
    run_ticks<TitleLoop>(1);
    press(KEY_ESC);
    run_ticks<TitleLoop>(1);
    EXPECT_TRUE(quit);
    EXPECT_EQ(endmenutimer, 0);
    EXPECT_EQ(audio_log, sounds(1));   // Up's sound; Esc makes none
}

TEST_F(Title, UpAndDownToggleOncePerPressWithASound)
{
    open_menu();
    press(KEY_DOWN);
    run_ticks<TitleLoop>(5);   // held: one toggle
    EXPECT_EQ(TitleLoop::selected, 1);
    release(KEY_DOWN);
    press(KEY_UP);
    run_ticks<TitleLoop>(1);
    EXPECT_EQ(TitleLoop::selected, 0);
    press(KEY_DOWN);   // Up still held: only Down acts
    run_ticks<TitleLoop>(1);
    EXPECT_EQ(TitleLoop::selected, 1);
    EXPECT_EQ(audio_log, sounds(3));

    // Both seen down together, both latches clear: two toggles, two sounds.
    release_all_keys();
    run_ticks<TitleLoop>(1);
    audio_log.clear();
    press(KEY_UP);
    press(KEY_DOWN);
    run_ticks<TitleLoop>(1);
    EXPECT_EQ(TitleLoop::selected, 1);
    EXPECT_EQ(audio_log, sounds(2));
    EXPECT_TRUE(TitleLoop::running());
}

TEST_F(Title, SpaceChoosesTheHighlightedItemAndClosesAfter40Ticks)
{
    for (int item : {0, 1}) {
        choose(item);
        EXPECT_EQ(TitleLoop::begin, item == 0);
        EXPECT_EQ(quit, item == 1);
        EXPECT_EQ(endmenutimer, 40);
        EXPECT_EQ(audio_log, sounds(1));
        EXPECT_FALSE(spaceheld);   // Space does not set its own latch

        // Keys pressed during the countdown do nothing, not even to the latches.
        press(KEY_UP);
        press(KEY_ESC);
        run_ticks<TitleLoop>(20);
        release_all_keys();
        run_ticks<TitleLoop>(18);
        EXPECT_EQ(TitleLoop::selected, item);
        EXPECT_FALSE(upheld);
        EXPECT_FALSE(escpressed);
        EXPECT_EQ(audio_log, sounds(1));
        EXPECT_TRUE(TitleLoop::running());
        run_ticks<TitleLoop>(1);
        EXPECT_EQ(endmenutimer, 1);
        EXPECT_TRUE(TitleLoop::running());
        run_ticks<TitleLoop>(1);
        EXPECT_EQ(endmenutimer, 0);
        EXPECT_FALSE(TitleLoop::running());
        EXPECT_EQ(TitleLoop::begin, item == 0);
        EXPECT_EQ(quit, item == 1);
    }
}

TEST_F(Title, EscEndsTheFrameSilentlyWhileLaterTicksStillReadKeys)
{
    // Frame 1 no tick; frame 2 one tick with nothing down; frame 3 three ticks:
    // Esc, then Up, then Up still held.
    on_frame = [this] {
        frames++;
        speed_count += frames == 2 ? 1 : frames == 3 ? 3 : 0;
        stop_runaway(4);
    };
    ScriptedTitle::before_tick = [](int n) {
        release_all_keys();
        if (n == 2) press(KEY_ESC);
        if (n >= 3) press(KEY_UP);
    };
    loop<ScriptedTitle>();
    EXPECT_EQ(frames, 3);
    EXPECT_EQ(ScriptedTitle::ticks, 4);
    EXPECT_TRUE(quit);
    EXPECT_FALSE(TitleLoop::begin);
    EXPECT_EQ(endmenutimer, 0);
    EXPECT_EQ(TitleLoop::selected, 1);
    EXPECT_EQ(audio_log, sounds(1));   // Up's only
    EXPECT_TRUE(start_plain(screen));
    EXPECT_TRUE(exit_lit(screen));
}

TEST_F(Title, EscAndSpaceInOneTickQuitAfterTheCountdownEvenOnStart)
{
    one_tick_a_frame([](int n) {
        release_all_keys();
        if (n == 2) {
            press(KEY_ESC);
            press(KEY_SPACE);
        }
    });
    loop<ScriptedTitle>();
    EXPECT_EQ(ScriptedTitle::ticks, 2 + 40);
    EXPECT_EQ(frames, 2 + 40);
    EXPECT_TRUE(quit);
    EXPECT_TRUE(TitleLoop::begin);
    EXPECT_EQ(endmenutimer, 0);
    EXPECT_EQ(audio_log, sounds(1));
}

TEST_F(Title, TickDueAfterTheCountdownEndsInTheSameFrameReadsKeysAgain)
{
    // Space on Start; Space and Down then stay down through the countdown.
    // Frame 3 holds the 40 countdown ticks and one more.
    on_frame = [this] {
        frames++;
        speed_count += frames == 1 ? 1 : frames == 2 ? 1 : frames == 3 ? 41 : 1;
        stop_runaway(100);
    };
    ScriptedTitle::before_tick = [](int n) {
        if (n == 2) press(KEY_SPACE);
        if (n == 3) press(KEY_DOWN);
    };
    loop<ScriptedTitle>();
    // The 41st tick of frame 3: Down moves to Exit, Space acts again on it.
    EXPECT_EQ(TitleLoop::selected, 1);
    EXPECT_TRUE(TitleLoop::begin);
    EXPECT_TRUE(quit);
    EXPECT_EQ(audio_log, sounds(3));
    // The second countdown ran out one tick a frame after frame 3.
    EXPECT_EQ(ScriptedTitle::ticks, 2 + 41 + 40);
    EXPECT_EQ(frames, 3 + 40);
}

TEST_F(Title, FirstFrameShowsStartHighlightedAndRunsTicksDueBeforeIt)
{
    speed_count = 3;   // due during the previous scene's last frame
    on_frame = [this] {
        frames++;
        if (frames == 1) {
            EXPECT_EQ(speed_count, 3);
        }
        quit = true;   // ends the menu with this frame
    };
    loop<TitleLoop>();
    EXPECT_EQ(frames, 1);
    EXPECT_EQ(speed_count, 0);
    EXPECT_FALSE(upheld);   // the ticks saw Up released
    EXPECT_TRUE(start_lit(screen));
    EXPECT_TRUE(exit_plain(screen));
}

TEST_F(Title, HighlightBlinksOnEvenCountsAndTheTextHidesAt9To1)
{
    for (int item : {0, 1}) {
        choose(item);
        for (int count = 40; count >= 0; count--) {
            ASSERT_EQ(endmenutimer, count);
            TitleLoop::draw();
            bool hidden = count >= 1 && count <= 9;
            bool lit = !hidden && count % 2 == 0;
            if (item == 0) {
                EXPECT_TRUE(lit ? start_lit(buffer) : no_start(buffer)) << "count " << count;
                EXPECT_TRUE(hidden ? no_exit(buffer) : exit_plain(buffer)) << "count " << count;
            } else {
                EXPECT_TRUE(hidden ? no_start(buffer) : start_plain(buffer)) << "count " << count;
                EXPECT_TRUE(lit ? exit_lit(buffer) : no_exit(buffer)) << "count " << count;
            }
            run_ticks<TitleLoop>(1);
        }
    }
}

TEST_F(Title, TitlePictureIsMaskedOverTheStripes)
{
    TitleLoop::enter();
    endmenutimer = 5;   // no menu text
    clear_to_color(buffer, makecol(1, 2, 3));
    TitleLoop::draw();
    EXPECT_TRUE(untouched(buffer, 0, 0, 640, 480, behind_menu));

    // A made-up picture: opaque only in one block, so both sides are certainly seen.
    BITMAP *real = title;
    title = create_bitmap(640, 480);
    clear_to_color(title, bitmap_mask_color(title));
    rectfill(title, 100, 50, 199, 149, makecol(10, 20, 30));
    TitleLoop::draw();
    EXPECT_EQ(rgb_at(buffer, 100, 50), 0x0a141e);
    EXPECT_EQ(rgb_at(buffer, 199, 149), 0x0a141e);
    EXPECT_EQ(rgb_at(buffer, 99, 50), stripe_rgb(50));
    EXPECT_EQ(rgb_at(buffer, 200, 149), stripe_rgb(149));
    EXPECT_EQ(rgb_at(buffer, 100, 150), stripe_rgb(150));
    destroy_bitmap(title);

    // Without the picture the menu is still drawn over plain stripes.
    title = nullptr;
    endmenutimer = 0;
    TitleLoop::draw();
    EXPECT_TRUE(untouched(buffer, 0, 0, 640, 420, stripes_behind));
    EXPECT_TRUE(text_at(buffer, 310, 420, " START ", lit_fg, lit_bg, stripes_behind));
    EXPECT_TRUE(text_at(buffer, 310, 440, " Exit ", plain_fg, plain_bg, stripes_behind));
    title = real;
}
