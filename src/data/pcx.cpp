// The font's PCX picture: its check, and its decoder into a font.
#include "data/pcx.h"

#include "data/bytes.h"
#include "data/file.h"

namespace {

// Counts glyph boxes the way Allegro's font grabber finds them: a corner of
// three border pixels around a non-border one, then the border runs along
// the top and down the left. Allegro reads a font with no box at all past
// the end of its glyph table.
int count_glyph_boxes(BITMAP *bmp)
{
    int c = bitmap_color_depth(bmp) == 8 ? 255 : makecol_depth(bitmap_color_depth(bmp), 255, 255, 0);
    int x = 0, y = 0, count = 0;
    for (;;) {
        while (getpixel(bmp, x, y) != c || getpixel(bmp, x + 1, y) != c ||
               getpixel(bmp, x, y + 1) != c || getpixel(bmp, x + 1, y + 1) == c) {
            if (++x >= bmp->w) {
                x = 0;
                if (++y >= bmp->h)
                    return count;
            }
        }
        int w = 0, h = 0;
        while (getpixel(bmp, x + w + 1, y) == c && getpixel(bmp, x + w + 1, y + 1) != c &&
               x + w + 1 <= bmp->w)
            w++;
        while (getpixel(bmp, x, y + h + 1) == c && getpixel(bmp, x + 1, y + h + 1) != c &&
               y + h + 1 <= bmp->h)
            h++;
        if (w <= 0 || h <= 0)
            return count;
        count++;
        x += w;
    }
}

const int glyphs_needed = '~' - ' ' + 1;
} // namespace

// Allegro's PCX reader takes 8 bits per pixel in one plane (palette) or three
// (truecolour) and decodes bytes-per-line bytes of each plane for every row,
// always as run-length data, into a bitmap it does not clear. It keeps every
// pixel inside the picture, so longer lines only lose their ends; shorter
// lines leave the columns past them unwritten, and the font grabber would
// read whatever the memory held.
const char *check_pcx(const unsigned char *d, size_t n)
{
    if (n < 128 || d[0] != 10)
        return "not a PCX picture";
    if (d[2] != 1)
        return "uncompressed PCX (only run-length PCX is read)";
    if (d[3] != 8 || (d[65] != 1 && d[65] != 3))
        return "unsupported PCX pixel depth";
    long xmin = u16(d + 4), ymin = u16(d + 6), xmax = u16(d + 8), ymax = u16(d + 10);
    long w = xmax - xmin + 1, h = ymax - ymin + 1;
    if (!dimensions_ok(w, h))
        return "PCX picture size out of range";
    if (static_cast<long>(u16(d + 66)) < w)
        return "PCX lines shorter than the picture's width";
    // Every row takes at least one byte per plane, even run-length coded.
    if (n < 128 + static_cast<size_t>(h) * d[65])
        return "truncated PCX pixels";
    return nullptr;
}

FONT *font_from_bytes(const std::vector<unsigned char> &bytes, const char **why)
{
    *why = check_pcx(bytes.data(), bytes.size());
    if (*why)
        return nullptr;
    // What load_bitmap_font() does, with the glyph grid checked before the grab.
    BITMAP *img = read_from_memory(bytes, [](PACKFILE *pf) {
        int conversion = get_color_conversion();
        set_color_conversion(COLORCONV_MOST | COLORCONV_KEEP_TRANS);
        BITMAP *b = load_pcx_pf(pf, nullptr);
        set_color_conversion(conversion);
        return b;
    }, "not a readable PCX picture", why);
    if (!img)
        return nullptr;
    FONT *font = nullptr;
    if (count_glyph_boxes(img) < glyphs_needed)
        *why = "too few glyphs for a font";
    else if (!(font = grab_font_from_bitmap(img)))
        *why = "not a readable font";
    destroy_bitmap(img);
    return font;
}
