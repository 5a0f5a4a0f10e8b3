// The striped background behind the intro and the title menu.
#include "core/stripes.h"

#include "core/draw.h"

#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

void draw_stripes()
{
    for (int y = 0; y < 480; y++)
        hline(buffer, 0, y, 639, stripecol[y % 2]);
}

void draw_stripes_under(BITMAP *picture)
{
    // Only where a picture covers the whole frame in the frame's own format;
    // anything else takes the two steps.
    if (!picture || picture->w < 640 || picture->h < 480 || bitmap_color_depth(picture) != 32 ||
        bitmap_color_depth(buffer) != 32 || !is_memory_bitmap(picture) || !is_memory_bitmap(buffer) ||
        buffer->cl != 0 || buffer->ct != 0 || buffer->cr < 640 || buffer->cb < 480) {
        draw_stripes();
        masked_image(picture, 0, 0, 0, 0, 640, 480);
        return;
    }
    const uint32_t mask = static_cast<uint32_t>(bitmap_mask_color(picture));
    for (int y = 0; y < 480; y++) {
        const uint32_t colour = static_cast<uint32_t>(stripecol[y % 2]);
        const uint32_t *s = reinterpret_cast<const uint32_t *>(picture->line[y]);
        uint32_t *d = reinterpret_cast<uint32_t *>(buffer->line[y]);
        int x = 0;
#if defined(__SSE2__)
        const __m128i m = _mm_set1_epi32(static_cast<int>(mask));
        const __m128i c = _mm_set1_epi32(static_cast<int>(colour));
        for (; x < 640; x += 4) {
            __m128i sv = _mm_loadu_si128(reinterpret_cast<const __m128i *>(s + x));
            __m128i show = _mm_cmpeq_epi32(sv, m);
            _mm_storeu_si128(reinterpret_cast<__m128i *>(d + x),
                             _mm_or_si128(_mm_and_si128(show, c), _mm_andnot_si128(show, sv)));
        }
#endif
        for (; x < 640; x++)
            d[x] = s[x] == mask ? colour : s[x];
    }
}
