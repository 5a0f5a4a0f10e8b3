// The game's window: which keys toggle it, where it goes, and where the frame goes in it.
#include "support/harness.h"

#include "platform/display.h"
#include "platform/keys.h"

TEST_F(Headless, F11AndAltEnterToggleTheWindowAndNoOtherKey)
{
    for (int alt : {0, 1}) {
        EXPECT_TRUE(toggles_window(KEY_F11, alt));
        EXPECT_EQ(toggles_window(KEY_ENTER, alt), alt == 1);
        EXPECT_EQ(toggles_window(KEY_ENTER_PAD, alt), alt == 1);
        // The game's own keys, and the neighbours of the toggle keys.
        for (int k : {KEY_SPACE, KEY_ESC, KEY_UP, KEY_DOWN, KEY_LEFT, KEY_RIGHT, KEY_F10, KEY_F12, KEY_TAB, KEY_A,
                      KEY_ALT, KEY_ALTGR})
            EXPECT_FALSE(toggles_window(k, alt)) << k << " with alt " << alt;
    }
}

TEST_F(Headless, WindowIsTheLargestWholeMultipleOrElseTheLargest4By3CentredInTheWorkArea)
{
    struct Case {
        Area usable, want;
    };
    for (Case c : {Case{{0, 0, 1920, 1080}, {312, 28, 1280, 960}},
                   // Panels leave a smaller area, wherever it is.
                   Case{{0, 32, 1920, 1048}, {312, 44, 1280, 960}},
                   Case{{1920, 0, 2560, 1400}, {2552, 188, 1280, 960}},
                   Case{{0, 0, 3840, 2160}, {632, 88, 2560, 1920}},
                   // Only 1x fits as a whole number: as large as 4:3 allows.
                   Case{{0, 0, 1366, 720}, {237, 0, 875, 656}},
                   Case{{0, 48, 1280, 752}, {173, 48, 917, 688}},
                   // Too small for even one frame with its borders: 640x480 at the corner.
                   Case{{0, 0, 640, 480}, {0, 0, 640, 480}},
                   Case{{10, 20, 800, 500}, {82, 20, 640, 480}}}) {
        Area a = window_spot(c.usable);
        EXPECT_EQ(a.x, c.want.x) << c.usable.w << "x" << c.usable.h;
        EXPECT_EQ(a.y, c.want.y) << c.usable.w << "x" << c.usable.h;
        EXPECT_EQ(a.w, c.want.w) << c.usable.w << "x" << c.usable.h;
        EXPECT_EQ(a.h, c.want.h) << c.usable.w << "x" << c.usable.h;
    }
}

TEST_F(Headless, FrameGoesOnThePrimaryMonitorInAFullScreenWindowAndFillsAnyOther)
{
    struct Case {
        Area window, monitor;
        int canvas_w, canvas_h;
        Placement want;
    };
    const Area one{0, 0, 1920, 1080};
    for (Case c : {// Full screen under a manager: the window is the monitor.
                   Case{one, one, 1920, 1080, {320, 60, 1280, 960, 2}},
                   Case{{1920, 0, 1280, 1024}, {1920, 0, 1280, 1024}, 1280, 1024, {0, 32, 1280, 960, 2}},
                   // Without a manager the window is the whole screen, the primary monitor within it.
                   Case{{0, 0, 3200, 1080}, {1920, 0, 1280, 1024}, 3200, 1080, {1920, 32, 1280, 960, 2}},
                   // A window on the desktop, and a window framed a little off the screen's corner.
                   Case{{312, 28, 1280, 960}, one, 1920, 1080, {0, 0, 1280, 960, 2}},
                   Case{{-4, 21, 1280, 960}, one, 1920, 1080, {0, 0, 1280, 960, 2}},
                   Case{{100, 100, 640, 480}, one, 1920, 1080, {0, 0, 640, 480, 1}},
                   // A window the player resized: the largest 4:3 size, sharply scaled.
                   Case{{200, 150, 1000, 700}, one, 1920, 1080, {33, 0, 933, 700, 0}},
                   // A window the manager made larger than the screen the game drew for.
                   Case{{0, 0, 1920, 1080}, one, 1280, 960, {0, 0, 1280, 960, 2}},
                   // A manager that keeps a full-screen window a little short of the monitor.
                   Case{{0, 0, 1920, 1050}, one, 1920, 1080, {320, 45, 1280, 960, 2}}}) {
        Placement p = place_in_window(c.window, c.monitor, c.canvas_w, c.canvas_h);
        EXPECT_EQ(p, c.want) << c.window.w << "x" << c.window.h << "+" << c.window.x << ": " << p.w << "x" << p.h
                             << "+" << p.left << "+" << p.top << " scale " << p.scale;
    }
}
