// The frame's scale and place on a desktop, and the scaled copy against a pixel-by-pixel nearest-neighbour reference.
#include "support/harness.h"

#include "platform/display.h"

#include <random>

TEST_F(Headless, ScaledCopyIsNearestNeighbourAtItsPlaceAndTouchesNothingElse)
{
    std::mt19937 rng(12);
    const int marker = makecol(1, 2, 3);
    // The frame, and an odd-sized picture for the pixels left over from the
    // copy's groups of four.
    for (int w : {640, 7}) {
        int h = w == 640 ? 480 : 3;
        BITMAP *src = create_bitmap(w, h);
        for (int y = 0; y < h; y++)
            for (int x = 0; x < w; x++)
                putpixel(src, x, y, static_cast<int>(rng() & 0xffffff));
        for (int k = 1; k <= 5; k++) {
            const int left = 3, top = 2;
            BITMAP *dst = create_bitmap(w * k + left + 5, h * k + top + 4);
            clear_to_color(dst, marker);
            scaled_copy(src, dst, k, left, top);
            long wrong = 0;
            for (int y = 0; y < dst->h; y++)
                for (int x = 0; x < dst->w; x++) {
                    bool in = x >= left && x < left + w * k && y >= top && y < top + h * k;
                    int want = in ? getpixel(src, (x - left) / k, (y - top) / k) : marker;
                    wrong += getpixel(dst, x, y) != want;
                }
            EXPECT_EQ(wrong, 0) << w << "x" << h << " at " << k << "x";
            destroy_bitmap(dst);
        }
        destroy_bitmap(src);
    }
}

TEST_F(Headless, LargestWholeScaleThatFitsTheDesktopOrAWindow)
{
    struct Case { int w, h, full, window; };
    for (Case c : {Case{640, 480, 1, 0}, Case{800, 600, 1, 1}, Case{1280, 1024, 2, 1},
                   Case{1920, 1080, 2, 2}, Case{1920, 1050, 2, 2}, Case{2560, 1440, 3, 2},
                   Case{3840, 2160, 4, 4}, Case{1279, 959, 1, 1}, Case{320, 200, 1, 0},
                   // One side a pixel short of twice the frame (or of a window's room) is enough.
                   Case{1920, 959, 1, 1}, Case{1279, 1080, 1, 1}, Case{1296, 1024, 2, 2},
                   Case{1295, 1024, 2, 1}, Case{1296, 1023, 2, 1}}) {
        EXPECT_EQ(whole_scale(c.w, c.h), c.full) << c.w << "x" << c.h;
        EXPECT_EQ(window_scale(c.w, c.h), c.window) << c.w << "x" << c.h;
    }
}

TEST_F(Headless, WholeNumberWhereItNearlyFillsTheScreenElseSharpToTheLargest4By3)
{
    struct Case { int w, h, want_w, want_h, scale; };
    for (Case c : {// Whole numbers that fill at least 85 % of the 4:3 width stay pixel-exact.
                   Case{640, 480, 640, 480, 1}, Case{1920, 1080, 1280, 960, 2}, Case{1280, 1024, 1280, 960, 2},
                   Case{2560, 1440, 1920, 1440, 3}, Case{2560, 1600, 1920, 1440, 3},
                   Case{3840, 2160, 2560, 1920, 4}, Case{720, 560, 640, 480, 1},
                   // Either side of 85 %: 640 is 85.1 % of 752, 84.99 % of 753.
                   Case{752, 564, 640, 480, 1}, Case{753, 565, 753, 565, 0},
                   // Laptops and handhelds where none does: the largest 4:3 size.
                   Case{1366, 768, 1024, 768, 0}, Case{1280, 800, 1067, 800, 0}, Case{1440, 900, 1200, 900, 0},
                   Case{1600, 900, 1200, 900, 0}, Case{1536, 864, 1152, 864, 0}, Case{1280, 720, 960, 720, 0},
                   Case{1920, 1200, 1600, 1200, 0}, Case{2880, 1800, 2400, 1800, 0},
                   Case{1080, 1920, 1080, 810, 0}, Case{1000, 700, 933, 700, 0}, Case{800, 600, 800, 600, 0},
                   // Never smaller than the frame.
                   Case{600, 400, 640, 480, 1}}) {
        Placement p = fit_frame({0, 0, c.w, c.h});
        EXPECT_EQ(p.w, c.want_w) << c.w << "x" << c.h;
        EXPECT_EQ(p.h, c.want_h) << c.w << "x" << c.h;
        EXPECT_EQ(p.scale, c.scale) << c.w << "x" << c.h;
        EXPECT_EQ(p.left, std::max(0, (c.w - c.want_w) / 2)) << c.w << "x" << c.h;
        EXPECT_EQ(p.top, std::max(0, (c.h - c.want_h) / 2)) << c.w << "x" << c.h;
    }
}

TEST_F(Headless, FrameIsCentredOnThePrimaryMonitorWhereverItIs)
{
    struct Case {
        int x, y, w, h, screen_w, screen_h;
        Placement want;
    };
    for (Case c : {Case{0, 0, 640, 480, 640, 480, {0, 0, 640, 480, 1}},
                   Case{0, 0, 1920, 1080, 1920, 1080, {320, 60, 1280, 960, 2}},
                   Case{0, 0, 1366, 768, 1366, 768, {171, 0, 1024, 768, 0}},
                   // The right-hand one of two monitors, and one placed lower.
                   Case{1920, 0, 1280, 1024, 3200, 1080, {1920, 32, 1280, 960, 2}},
                   Case{1920, 360, 1920, 1080, 3840, 1440, {2240, 420, 1280, 960, 2}},
                   Case{800, 0, 2560, 1440, 3360, 1440, {1120, 0, 1920, 1440, 3}},
                   Case{1920, 100, 1366, 768, 3286, 1080, {2091, 100, 1024, 768, 0}},
                   // A monitor partly off the screen, or too small, stands for the screen.
                   Case{1000, 0, 1920, 1080, 1920, 1080, {320, 60, 1280, 960, 2}},
                   Case{0, 0, 600, 400, 1024, 768, {0, 0, 1024, 768, 0}}}) {
        Placement p = place_frame(c.x, c.y, c.w, c.h, c.screen_w, c.screen_h);
        EXPECT_EQ(p, c.want) << c.w << "x" << c.h << "+" << c.x << "+" << c.y << ": " << p.w << "x" << p.h
                             << "+" << p.left << "+" << p.top << " scale " << p.scale;
    }
}
