// Loading the shared pictures and font, and drawing that tolerates missing ones.
#include "core/resources.h"

#include "core/filecheck.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

BITMAP *buffer;
BITMAP *bg[3];
BITMAP *l2sprites;
BITMAP *child1;
BITMAP *nanny1;
BITMAP *trolley3;
BITMAP *title;
FONT *f;
BITMAP *scenes[4][20];
const int imagecount[4] = {2, 1, 1, 1};
int black;
int bgcol;

namespace {

int bytes_getc(void *u)
{
    auto *r = static_cast<ByteReader *>(u);
    return r->pos < r->bytes->size() ? (*r->bytes)[r->pos++] : EOF;
}

int bytes_ungetc(int c, void *u)
{
    auto *r = static_cast<ByteReader *>(u);
    if (r->pos == 0)
        return EOF;
    r->pos--;
    return c;
}

long bytes_fread(void *p, long n, void *u)
{
    auto *r = static_cast<ByteReader *>(u);
    size_t left = r->bytes->size() - r->pos;
    size_t k = n < 0 ? 0 : static_cast<size_t>(n) < left ? static_cast<size_t>(n) : left;
    memcpy(p, r->bytes->data() + r->pos, k);
    r->pos += k;
    return static_cast<long>(k);
}

int bytes_fseek(void *u, int offset)
{
    auto *r = static_cast<ByteReader *>(u);
    if (offset < 0 || static_cast<size_t>(offset) > r->bytes->size() - r->pos)
        return -1;
    r->pos += static_cast<size_t>(offset);
    return 0;
}

int bytes_feof(void *u)
{
    auto *r = static_cast<ByteReader *>(u);
    return r->pos >= r->bytes->size();
}

int bytes_nothing(void *) { return 0; }
int bytes_putc(int, void *) { return EOF; }
long bytes_fwrite(const void *, long, void *) { return 0; }

PACKFILE_VTABLE bytes_vtable = {
    bytes_nothing, bytes_getc, bytes_ungetc, bytes_fread,
    bytes_putc, bytes_fwrite, bytes_fseek, bytes_feof, bytes_nothing,
};

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

BITMAP *load_image(const char *path)
{
    return load_checked(path, image_from_bytes);
}

} // namespace

PACKFILE *open_bytes(ByteReader &reader)
{
    reader.pos = 0;
    return pack_fopen_vtable(&bytes_vtable, &reader);
}

BITMAP *image_from_bytes(const std::vector<unsigned char> &bytes, const char **why)
{
    std::vector<unsigned char> copy;
    const char *repaired;
    *why = check_bmp(bytes.data(), bytes.size(), copy, &repaired);
    if (*why)
        return nullptr;
    // What load_bitmap() does for a .bmp: decode, then convert to the current colour depth.
    BITMAP *b = read_from_memory(copy.empty() ? bytes : copy,
                                 [](PACKFILE *pf) { return load_bmp_pf(pf, nullptr); },
                                 "not a readable BMP picture", why);
    if (b)
        *why = repaired;
    return b;
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

void warn_unloadable(const char *path, const char *why)
{
    fprintf(stderr, "nannyday: cannot load \"%s\" (%s); going on without it\n", path, why);
}

void note_repaired(const char *path, const char *what)
{
    fprintf(stderr, "nannyday: repaired \"%s\" in memory (%s)\n", path, what);
}

void make_colours()
{
    black = makecol(0, 0, 0);
    bgcol = makecol(0, 0, 0);
}

void load_images()
{
    bg[0] = load_image("bmp/bg0.bmp");
    bg[1] = load_image("bmp/bg1.bmp");
    l2sprites = load_image("bmp/l2sprites.bmp");
    bg[2] = load_image("bmp/bg2.bmp");
    child1 = load_image("bmp/img1.bmp");
    nanny1 = load_image("bmp/img2.bmp");
    trolley3 = load_image("bmp/trolley.bmp");
    title = load_image("bmp/title.bmp");

    std::vector<unsigned char> bytes;
    const char *why = read_data_file("bmp/font.pcx", bytes);
    f = why ? nullptr : font_from_bytes(bytes, &why);
    if (!f) {
        // Ending with 0 here would report a broken install as a normal quit.
        fprintf(stderr, "nannyday: cannot load \"bmp/font.pcx\" (%s); the game cannot show its text without it\n", why);
        exit(1);
    }

    for (int c = 0; c < 4; c++) {
        for (int i = 0; i < imagecount[c]; i++) {
            char path[64];
            snprintf(path, sizeof path, "bmp/%d-%d.bmp", c, i);
            scenes[c][i] = load_image(path);
        }
    }
}

void blit_image(BITMAP *src, int sx, int sy, int dx, int dy, int w, int h)
{
    if (src)
        blit(src, buffer, sx, sy, dx, dy, w, h);
}

// Allegro's masked_blit() tests and branches pixel by pixel; the full-frame
// title made it the costliest thing a frame did. Between 32-bit memory
// bitmaps this loop gives the same pixels, clipped the same way, and the
// compiler turns it into a vector select.
void masked_image(BITMAP *src, int sx, int sy, int dx, int dy, int w, int h)
{
    if (!src)
        return;
    if (bitmap_color_depth(src) != 32 || bitmap_color_depth(buffer) != 32 || !is_memory_bitmap(src) ||
        !is_memory_bitmap(buffer)) {
        masked_blit(src, buffer, sx, sy, dx, dy, w, h);
        return;
    }
    // Source first, then the destination's clipping rectangle, as Allegro clips.
    if (sx >= src->w || sy >= src->h || dx >= buffer->cr || dy >= buffer->cb)
        return;
    if (sx < 0) { w += sx; dx -= sx; sx = 0; }
    if (sy < 0) { h += sy; dy -= sy; sy = 0; }
    if (sx + w > src->w) w = src->w - sx;
    if (sy + h > src->h) h = src->h - sy;
    if (dx < buffer->cl) { dx -= buffer->cl; w += dx; sx -= dx; dx = buffer->cl; }
    if (dy < buffer->ct) { dy -= buffer->ct; h += dy; sy -= dy; dy = buffer->ct; }
    if (dx + w > buffer->cr) w = buffer->cr - dx;
    if (dy + h > buffer->cb) h = buffer->cb - dy;
    if (w <= 0 || h <= 0)
        return;
    const uint32_t mask = static_cast<uint32_t>(bitmap_mask_color(src));
    for (int y = 0; y < h; y++) {
        const uint32_t *s = reinterpret_cast<const uint32_t *>(src->line[sy + y]) + sx;
        uint32_t *d = reinterpret_cast<uint32_t *>(buffer->line[dy + y]) + dx;
        int x = 0;
#if defined(__SSE2__)
        // Four pixels at a time, without a branch per pixel.
        const __m128i m = _mm_set1_epi32(static_cast<int>(mask));
        for (; x + 4 <= w; x += 4) {
            __m128i sv = _mm_loadu_si128(reinterpret_cast<const __m128i *>(s + x));
            __m128i dv = _mm_loadu_si128(reinterpret_cast<const __m128i *>(d + x));
            __m128i keep = _mm_cmpeq_epi32(sv, m);
            _mm_storeu_si128(reinterpret_cast<__m128i *>(d + x),
                             _mm_or_si128(_mm_and_si128(keep, dv), _mm_andnot_si128(keep, sv)));
        }
#endif
        for (; x < w; x++)
            d[x] = s[x] == mask ? d[x] : s[x];
    }
}
