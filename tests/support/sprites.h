// Checks for pictures drawn into buffer, worked out from the data files
// themselves so they hold whatever the pictures look like.
#pragma once

#include "support/harness.h"

// Where a sprite pixel is the mask colour, what lay under it shows.
inline bool opaque(BITMAP *sprite, int x, int y)
{
    return getpixel(sprite, x, y) != bitmap_mask_color(sprite);
}

// Fails unless the w x h cell of sheet at (sx, sy) appears masked at (x, y) of
// buffer over under (a copy of what buffer held before). Only the part inside
// buffer is checked. Returns the number of opaque pixels that differ from what
// lies under them, so a caller can tell that the check could have failed.
inline int expect_masked_at(BITMAP *sheet, int sx, int sy, int w, int h, int x, int y, BITMAP *under,
                            const char *what)
{
    int visible = 0;
    int wrong = 0;
    for (int j = 0; j < h; j++) {
        for (int i = 0; i < w; i++) {
            int bx = x + i, by = y + j;
            if (bx < 0 || by < 0 || bx >= buffer->w || by >= buffer->h)
                continue;
            bool solid = opaque(sheet, sx + i, sy + j);
            int want = solid ? rgb_at(sheet, sx + i, sy + j) : rgb_at(under, bx, by);
            if (rgb_at(buffer, bx, by) != want && wrong++ < 3)
                ADD_FAILURE() << what << ": pixel (" << bx << ", " << by << ") is " << std::hex
                              << rgb_at(buffer, bx, by) << ", want " << want;
            if (solid && want != rgb_at(under, bx, by))
                visible++;
        }
    }
    return visible;
}

// A copy of buffer, to compare against after a draw.
inline BITMAP *copy_of_buffer()
{
    BITMAP *b = create_bitmap(buffer->w, buffer->h);
    blit(buffer, b, 0, 0, 0, 0, buffer->w, buffer->h);
    return b;
}

inline int differing_pixels(BITMAP *a, BITMAP *b)
{
    int n = 0;
    for (int y = 0; y < a->h; y++)
        for (int x = 0; x < a->w; x++)
            n += getpixel(a, x, y) != getpixel(b, x, y);
    return n;
}
