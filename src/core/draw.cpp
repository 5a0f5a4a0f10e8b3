// The frame, the game's colours, and drawing that tolerates missing pictures.
#include "core/draw.h"

#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

BITMAP *buffer;
int black;
int bgcol;
int white;
int textink;
int textpaper;
int stripecol[2];

void make_colours()
{
    black = makecol(0, 0, 0);
    bgcol = makecol(0, 0, 0);
    white = makecol(255, 255, 255);
    textink = makecol(170, 211, 58);
    textpaper = makecol(211, 140, 58);
    stripecol[0] = makecol(58, 178, 211);
    stripecol[1] = makecol(157, 79, 108);
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
