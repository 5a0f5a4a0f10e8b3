// The sharp scaler against a plain reference written from the coverage rule, and show_frame's skipping of a frame already shown.
#include "support/harness.h"

#include "platform/display.h"
#include "platform/sharp.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <random>

namespace {

// Screen pixel (X, Y) of src scaled s times, from the rule itself: every
// frame pixel weighted by the area of the screen pixel it covers, over the
// area the picture covers. Sets whole when one frame pixel covers it all.
int reference(BITMAP *src, double s, int X, int Y, bool *whole)
{
    double sum[3] = {0, 0, 0}, area = 0;
    *whole = false;
    int i0 = int(X / s), j0 = int(Y / s);
    for (int j = std::max(0, j0 - 1); j <= std::min(src->h - 1, j0 + 2); j++) {
        double oy = std::min(Y + 1.0, (j + 1) * s) - std::max(double(Y), j * s);
        for (int i = std::max(0, i0 - 1); i <= std::min(src->w - 1, i0 + 2) && oy > 0; i++) {
            double ox = std::min(X + 1.0, (i + 1) * s) - std::max(double(X), i * s);
            if (ox <= 0)
                continue;
            int c = getpixel(src, i, j);
            sum[0] += ox * oy * getr32(c);
            sum[1] += ox * oy * getg32(c);
            sum[2] += ox * oy * getb32(c);
            area += ox * oy;
            *whole = *whole || ox * oy == 1.0;
        }
    }
    return int(std::lround(sum[0] / area)) << 16 | int(std::lround(sum[1] / area)) << 8 |
           int(std::lround(sum[2] / area));
}

} // namespace

TEST_F(Headless, SharpCopyBlendsOnlyThePixelsEachScreenPixelCoversByHowMuch)
{
    std::mt19937 rng(23);
    BITMAP *src = create_bitmap(FRAME_W, FRAME_H);
    for (int y = 0; y < FRAME_H; y++)
        for (int x = 0; x < FRAME_W; x++)
            putpixel(src, x, y, static_cast<int>(rng() & 0xffffff));
    const int marker = makecol(1, 2, 3);
    // 1.6x, 1.875x, 2.5x, 3.75x; then F rounded up at 1280x800 (the last
    // column part-covered) and down in a 1000x700 window (the last row).
    struct Size { int w, h; };
    const bool avx2 = sharp_avx2;
    for (bool wide : {false, avx2})
    for (Size z : {Size{1024, 768}, Size{1200, 900}, Size{1600, 1200}, Size{2400, 1800}, Size{1067, 800},
                   Size{933, 700}}) {
        sharp_avx2 = wide;
        const int left = 5, top = 3;
        BITMAP *dst = create_bitmap(z.w + left + 4, z.h + top + 2);
        clear_to_color(dst, marker);
        sharp_copy(src, dst, left, top, z.w, z.h);
        const double s = std::min(z.w / 640.0, z.h / 480.0);
        long off = 0, not_exact = 0, outside = 0;
        for (int y = 0; y < dst->h; y++)
            for (int x = 0; x < dst->w; x++) {
                int got = rgb_at(dst, x, y);
                if (x < left || y < top || x >= left + z.w || y >= top + z.h) {
                    outside += got != 0x010203;
                    continue;
                }
                bool whole;
                int want = reference(src, s, x - left, y - top, &whole);
                for (int shift = 0; shift < 24; shift += 8)
                    off += std::abs((got >> shift & 0xff) - (want >> shift & 0xff)) > 1;
                not_exact += whole && got != want;
            }
        SCOPED_TRACE(wide ? "AVX2" : "SSE2");
        EXPECT_EQ(off, 0) << z.w << "x" << z.h << ": channels more than 1 from the coverage blend";
        EXPECT_EQ(not_exact, 0) << z.w << "x" << z.h << ": pixels inside one frame pixel not of its colour";
        EXPECT_EQ(outside, 0) << z.w << "x" << z.h << ": pixels written outside the picture";
        destroy_bitmap(dst);
    }
    sharp_avx2 = avx2;
    destroy_bitmap(src);
}

TEST_F(Headless, AFrameAlreadyOnScreenIsNotCopiedAgainUntilARepaintIsAsked)
{
    const int marker = makecol(1, 2, 3), grey = 0x28323c;
    BITMAP *was = screen;
    screen = create_bitmap(1280, 960);
    // Scaled, the frame last shown is kept; at 1x the screen itself holds it.
    for (Placement p : {Placement{0, 0, 1024, 768, 0}, Placement{0, 0, 1280, 960, 2}, Placement{5, 7, 640, 480, 1}}) {
        clear_to_color(screen, 0);
        use_placement(p);
        clear_to_color(buffer, makecol(40, 50, 60));
        show_frame(buffer);
        EXPECT_EQ(rgb_at(screen, 700, 500), p.scale == 1 ? 0 : grey) << p.scale;
        // The same frame again: nothing sent, though at 1x a screen that
        // no longer shows it gets it again.
        clear_to_color(screen, marker);
        show_frame(buffer);
        EXPECT_EQ(rgb_at(screen, 10, 10), p.scale == 1 ? grey : 0x010203) << p.scale;
        // One pixel changed: copied.
        clear_to_color(screen, marker);
        putpixel(buffer, 639, 479, makecol(9, 9, 9));
        show_frame(buffer);
        EXPECT_EQ(rgb_at(screen, 10, 10), grey) << p.scale;
        // The screen was lost: the same frame is copied again.
        clear_to_color(screen, marker);
        repaint_frame();
        show_frame(buffer);
        EXPECT_EQ(rgb_at(screen, 10, 10), grey) << p.scale;
    }
    destroy_bitmap(screen);
    screen = was;
    use_placement({0, 0, 640, 480, 1});
}
