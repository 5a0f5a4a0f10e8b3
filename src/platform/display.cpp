// The frame on the host's screen: its whole-number scale and place, the scaled copy.
#include "platform/display.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

int frame_scale = 1;
int frame_left = 0;
int frame_top = 0;

namespace {

// A window's title bar and borders.
const int WINDOW_ROOM_W = 16;
const int WINDOW_ROOM_H = 64;

// Each pixel of a row k times across.
void widen_row(const uint32_t *s, uint32_t *d, int w, int k)
{
    int x = 0;
#if defined(__SSE2__)
    // Four source pixels make k stores of four pixels each.
    auto put = [&](int i, __m128i v) { _mm_storeu_si128(reinterpret_cast<__m128i *>(d) + i, v); };
    for (; x + 4 <= w && k <= 4; x += 4, d += 4 * k) {
        __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(s + x));
        if (k == 1) {
            put(0, v);
        } else if (k == 2) {
            put(0, _mm_unpacklo_epi32(v, v));
            put(1, _mm_unpackhi_epi32(v, v));
        } else if (k == 3) {
            put(0, _mm_shuffle_epi32(v, _MM_SHUFFLE(1, 0, 0, 0)));
            put(1, _mm_shuffle_epi32(v, _MM_SHUFFLE(2, 2, 1, 1)));
            put(2, _mm_shuffle_epi32(v, _MM_SHUFFLE(3, 3, 3, 2)));
        } else {
            put(0, _mm_shuffle_epi32(v, 0x00));
            put(1, _mm_shuffle_epi32(v, 0x55));
            put(2, _mm_shuffle_epi32(v, 0xaa));
            put(3, _mm_shuffle_epi32(v, 0xff));
        }
    }
    // Larger scales: each pixel as runs of four, the rest one by one.
    for (; x < w && k > 4; x++, d += k) {
        __m128i v = _mm_set1_epi32(static_cast<int>(s[x]));
        int j = 0;
        for (; j + 4 <= k; j += 4)
            _mm_storeu_si128(reinterpret_cast<__m128i *>(d + j), v);
        for (; j < k; j++)
            d[j] = s[x];
    }
#endif
    for (; x < w; x++, d += k)
        for (int j = 0; j < k; j++)
            d[j] = s[x];
}

} // namespace

bool inside(const Area &a, const Area &outer)
{
    return a.w > 0 && a.h > 0 && a.x >= outer.x && a.y >= outer.y && a.x + a.w <= outer.x + outer.w &&
           a.y + a.h <= outer.y + outer.h;
}

int whole_scale(int w, int h)
{
    return std::max(1, std::min(w / FRAME_W, h / FRAME_H));
}

Placement place_frame(int x, int y, int w, int h, int screen_w, int screen_h)
{
    Area monitor{x, y, w, h}, shown{0, 0, screen_w, screen_h};
    if (!inside(monitor, shown) || w < FRAME_W || h < FRAME_H)
        monitor = shown;
    int k = whole_scale(monitor.w, monitor.h);
    // A screen smaller than the frame shows its top-left part.
    return {k, std::max(0, monitor.x + (monitor.w - FRAME_W * k) / 2),
            std::max(0, monitor.y + (monitor.h - FRAME_H * k) / 2)};
}

int window_scale(int w, int h)
{
    return std::max(0, std::min((w - WINDOW_ROOM_W) / FRAME_W, (h - WINDOW_ROOM_H) / FRAME_H));
}

Area window_spot(Area usable)
{
    int k = std::max(1, window_scale(usable.w, usable.h));
    int w = FRAME_W * k, h = FRAME_H * k;
    // Centred with its title bar and borders.
    return {usable.x + std::max(0, usable.w - w - WINDOW_ROOM_W) / 2,
            usable.y + std::max(0, usable.h - h - WINDOW_ROOM_H) / 2, w, h};
}

Placement place_in_window(Area window, Area monitor, int canvas_w, int canvas_h)
{
    return place_frame(monitor.x - window.x, monitor.y - window.y, monitor.w, monitor.h,
                       std::min(window.w, canvas_w), std::min(window.h, canvas_h));
}

void show_frame(BITMAP *frame)
{
    if (frame_scale == 1)
        blit(frame, screen, 0, 0, frame_left, frame_top, frame->w, frame->h);
    else
        scaled_copy(frame, screen, frame_scale, frame_left, frame_top);
}

void scaled_copy(BITMAP *src, BITMAP *dst, int k, int x, int y)
{
    const size_t row_bytes = size_t(src->w) * size_t(k) * sizeof(uint32_t);
    for (int sy = 0; sy < src->h; sy++) {
        const uint32_t *s = reinterpret_cast<const uint32_t *>(src->line[sy]);
        const int dy = y + sy * k;
        // Each screen line through bmp_write_line, so that the X11 driver
        // learns which lines changed and sends them to the server.
        uint32_t *first = reinterpret_cast<uint32_t *>(bmp_write_line(dst, dy)) + x;
        widen_row(s, first, src->w, k);
        bmp_unwrite_line(dst);
        for (int r = 1; r < k; r++) {
            uint32_t *d = reinterpret_cast<uint32_t *>(bmp_write_line(dst, dy + r)) + x;
            memcpy(d, first, row_bytes);
            bmp_unwrite_line(dst);
        }
    }
}
