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

TEST_F(Headless, FrameIsCentredOnThePrimaryMonitorWhereverItIs)
{
    struct Case {
        int x, y, w, h, screen_w, screen_h;
        Placement want;
    };
    for (Case c : {Case{0, 0, 640, 480, 640, 480, {1, 0, 0}},
                   Case{0, 0, 1920, 1080, 1920, 1080, {2, 320, 60}},
                   Case{0, 0, 1366, 768, 1366, 768, {1, 363, 144}},
                   // The right-hand one of two monitors, and one placed lower.
                   Case{1920, 0, 1280, 1024, 3200, 1080, {2, 1920, 32}},
                   Case{1920, 360, 1920, 1080, 3840, 1440, {2, 2240, 420}},
                   Case{800, 0, 2560, 1440, 3360, 1440, {3, 1120, 0}},
                   // A monitor partly off the screen, or too small, stands for the screen.
                   Case{1000, 0, 1920, 1080, 1920, 1080, {2, 320, 60}},
                   Case{0, 0, 600, 400, 1024, 768, {1, 192, 144}}}) {
        Placement p = place_frame(c.x, c.y, c.w, c.h, c.screen_w, c.screen_h);
        EXPECT_EQ(p.scale, c.want.scale) << c.w << "x" << c.h << "+" << c.x << "+" << c.y;
        EXPECT_EQ(p.left, c.want.left) << c.w << "x" << c.h << "+" << c.x << "+" << c.y;
        EXPECT_EQ(p.top, c.want.top) << c.w << "x" << c.h << "+" << c.x << "+" << c.y;
    }
}
