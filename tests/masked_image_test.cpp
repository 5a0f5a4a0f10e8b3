// The game's own masked copy gives exactly Allegro's masked_blit() pixels, clipping included.
#include "support/harness.h"

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
