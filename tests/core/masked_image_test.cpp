// The game's own masked copies give exactly the pixels of the two-step Allegro way, clipping included.
#include "support/harness.h"

#include "levels/level_three.h"
#include "core/stripes.h"

#include <cstring>
#include <random>

TEST_F(Headless, MaskedImageMatchesAllegroEverywhereItClips)
{
    std::mt19937 rng(7);
    BITMAP *src = create_bitmap(190, 122);
    int mask = bitmap_mask_color(src);
    for (int y = 0; y < src->h; y++)
        for (int x = 0; x < src->w; x++)
            putpixel(src, x, y, rng() % 3 == 0 ? mask : static_cast<int>(rng() & 0xffffff));
    BITMAP *backdrop = create_bitmap(640, 480);
    for (int y = 0; y < 480; y++)
        for (int x = 0; x < 640; x++)
            putpixel(backdrop, x, y, static_cast<int>(rng() & 0xffffff));
    BITMAP *expected = create_bitmap(640, 480);
    BITMAP *saved = buffer;

    // Off every edge, partly and wholly, sources reaching past their bitmap.
    std::uniform_int_distribution<int> pos(-300, 700), size(-10, 400);
    for (int i = 0; i < 400; i++) {
        int sx = pos(rng) / 3, sy = pos(rng) / 4, dx = pos(rng), dy = pos(rng), w = size(rng), h = size(rng);
        if (i == 0) { sx = 0; sy = 0; dx = -128; dy = 279; w = 190; h = 122; }   // the trolley at its start
        blit(backdrop, expected, 0, 0, 0, 0, 640, 480);
        masked_blit(src, expected, sx, sy, dx, dy, w, h);
        buffer = create_bitmap(640, 480);
        blit(backdrop, buffer, 0, 0, 0, 0, 640, 480);
        masked_image(src, sx, sy, dx, dy, w, h);
        bool same = true;
        for (int y = 0; y < 480 && same; y++)
            same = memcmp(buffer->line[y], expected->line[y], 640 * 4) == 0;
        destroy_bitmap(buffer);
        buffer = saved;
        ASSERT_TRUE(same) << "src (" << sx << "," << sy << ") to (" << dx << "," << dy << ") size " << w << "x" << h;
    }
    destroy_bitmap(src);
    destroy_bitmap(backdrop);
    destroy_bitmap(expected);
}

// The title's one-pass background is exactly the stripes with the picture
// masked over them: the game's title, a picture that is half mask colour in
// a random pattern, and pictures it must leave to the two steps.
TEST_F(Headless, StripesUnderAPictureMatchStripesThenMaskedCopy)
{
    load_game_data();
    std::mt19937 rng(11);
    BITMAP *patterned = create_bitmap(640, 480);
    for (int y = 0; y < 480; y++)
        for (int x = 0; x < 640; x++)
            putpixel(patterned, x, y, rng() % 2 ? bitmap_mask_color(patterned) : static_cast<int>(rng() & 0xffffff));
    BITMAP *small = create_bitmap(300, 200);
    clear_to_color(small, makecol(1, 2, 3));
    BITMAP *expected = create_bitmap(640, 480);

    for (BITMAP *picture : {title, patterned, small, static_cast<BITMAP *>(nullptr)}) {
        clear_to_color(buffer, makecol(9, 9, 9));
        draw_stripes();
        masked_image(picture, 0, 0, 0, 0, 640, 480);
        blit(buffer, expected, 0, 0, 0, 0, 640, 480);
        clear_to_color(buffer, makecol(9, 9, 9));
        draw_stripes_under(picture);
        for (int y = 0; y < 480; y++)
            ASSERT_EQ(memcmp(buffer->line[y], expected->line[y], 640 * 4), 0)
                << "row " << y << " of " << (picture == title ? "the title" : picture ? "a test picture" : "no picture");
    }
    destroy_bitmap(patterned);
    destroy_bitmap(small);
    destroy_bitmap(expected);
}

// Level three clears to black only when its background cannot cover the
// frame; either way no pixel of an earlier frame is left.
TEST_F(Headless, LevelThreeLeavesNothingOfTheLastFrame)
{
    load_game_data();
    BITMAP *full = bg[2];
    BITMAP *small = create_bitmap(100, 100);
    clear_to_color(small, makecol(200, 10, 10));
    for (BITMAP *background : {full, small, static_cast<BITMAP *>(nullptr)}) {
        bg[2] = background;
        LevelLoop<2>::enter();
        clear_to_color(buffer, makecol(1, 2, 3));   // the last frame
        LevelLoop<2>::draw();
        for (int y = 0; y < 480; y += 7)
            for (int x = 0; x < 640; x += 7)
                ASSERT_NE(rgb_at(buffer, x, y), 0x010203) << x << "," << y;
        if (background == small) {
            EXPECT_EQ(rgb_at(buffer, 50, 50), 0xc80a0a);
            EXPECT_EQ(rgb_at(buffer, 300, 50), 0x000000);
        }
        if (background == full) {
            EXPECT_EQ(rgb_at(buffer, 320, 20), rgb_at(full, 320, 20));
        }
    }
    bg[2] = full;
    destroy_bitmap(small);
}
