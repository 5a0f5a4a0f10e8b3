// Checks of what a scene drew into a 32-bit bitmap, for the screens' draw tests.
#pragma once

#include "support/harness.h"

#include <functional>
#include <string>

// The striped background: 0xRRGGBB of row y.
inline int stripe_rgb(int y)
{
    return y % 2 == 0 ? 0x3ab2d3 : 0x9d4f6c;
}

// What lies under the text at (x, y), as 0xRRGGBB.
using Behind = std::function<int(int x, int y)>;

inline int stripes_behind(int, int y)
{
    return stripe_rgb(y);
}

// Text drawn with the game's font, top-left at (x, y), in fg on bg (0xRRGGBB),
// glyph for glyph, with what lies behind it untouched on the ring of pixels
// around its box.
inline ::testing::AssertionResult text_at(BITMAP *bmp, int x, int y, const std::string &text,
                                          int fg, int bg, const Behind &behind)
{
    int w = text_length(f, text.c_str());
    int h = text_height(f);
    BITMAP *want = create_bitmap(w, h);
    textout_ex(want, f, text.c_str(), 0, 0, makecol(fg >> 16, (fg >> 8) & 255, fg & 255),
               makecol(bg >> 16, (bg >> 8) & 255, bg & 255));
    int inked = 0;
    std::string fault;
    for (int j = 0; j < h && fault.empty(); j++) {
        for (int i = 0; i < w && fault.empty(); i++) {
            int got = rgb_at(bmp, x + i, y + j);
            int exp = rgb_at(want, i, j);
            inked += (got == fg);
            if (got != exp)
                fault = "pixel (" + std::to_string(x + i) + "," + std::to_string(y + j) + ") of \"" + text +
                        "\" is " + std::to_string(got) + ", want " + std::to_string(exp);
        }
    }
    destroy_bitmap(want);
    if (!fault.empty())
        return ::testing::AssertionFailure() << fault;
    if (inked == 0)
        return ::testing::AssertionFailure() << "\"" << text << "\" has no ink";
    for (int i = x - 1; i <= x + w; i++) {
        for (int j : {y - 1, y + h}) {
            if (rgb_at(bmp, i, j) != behind(i, j))
                return ::testing::AssertionFailure() << "\"" << text << "\" spills to (" << i << "," << j << ")";
        }
    }
    for (int j = y; j < y + h; j++) {
        for (int i : {x - 1, x + w}) {
            if (rgb_at(bmp, i, j) != behind(i, j))
                return ::testing::AssertionFailure() << "\"" << text << "\" spills to (" << i << "," << j << ")";
        }
    }
    return ::testing::AssertionSuccess();
}

// The area w x h at (x, y) shows only what lies behind.
inline ::testing::AssertionResult untouched(BITMAP *bmp, int x, int y, int w, int h, const Behind &behind)
{
    for (int j = y; j < y + h; j++)
        for (int i = x; i < x + w; i++)
            if (rgb_at(bmp, i, j) != behind(i, j))
                return ::testing::AssertionFailure() << "(" << i << "," << j << ") was drawn on";
    return ::testing::AssertionSuccess();
}
