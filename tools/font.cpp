// The bitmap font: 95 glyphs, ASCII 32 to 126, in the grid load_bitmap_font reads.
#include "assets.h"

#include <vector>

namespace {

const int GLYPH_W = 8, GLYPH_H = 12, FONT_COLS = 16, FONT_ROWS = 6;

// Placeholder glyphs: a frame with the character code's bits inside, so each
// character is distinct and non-blank (space stays blank).
void glyph(std::vector<uint8_t> &px, int w, int ox, int oy, int code)
{
    if (code == ' ')
        return;
    for (int y = 1; y < 10; y++)
        for (int x = 1; x < 6; x++) {
            bool edge = y == 1 || y == 9 || x == 1 || x == 5;
            bool bit = y >= 3 && y <= 6 && x >= 2 && x <= 4 && ((code >> ((y - 3) * 3 + (x - 2))) & 1);
            if (edge || bit)
                px[(oy + y) * w + ox + x] = 1;
        }
}

} // namespace

void font_pcx()
{
    int w = FONT_COLS * (GLYPH_W + 1) + 1, h = FONT_ROWS * (GLYPH_H + 1) + 1;
    std::vector<uint8_t> px(static_cast<size_t>(w * h), 255);
    for (int i = 0; i < 95; i++) {
        int ox = 1 + (i % FONT_COLS) * (GLYPH_W + 1), oy = 1 + (i / FONT_COLS) * (GLYPH_H + 1);
        for (int y = 0; y < GLYPH_H; y++)
            for (int x = 0; x < GLYPH_W; x++)
                px[(oy + y) * w + ox + x] = 0;
        glyph(px, w, ox, oy, 32 + i);
    }
    uint8_t pal[768] = {};
    pal[3] = pal[4] = pal[5] = 255;
    pal[765] = 255; pal[766] = 255;
    write_pcx8(out + "/bmp/font.pcx", w, h, px, pal);
}
