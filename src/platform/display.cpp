// The frame on the host's screen: its size and place, and its one copy per frame.
#include "platform/display.h"

#include "platform/background.h"
#include "platform/sharp.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

Placement placed{0, 0, FRAME_W, FRAME_H, 1};

// A window's title bar and borders.
const int WINDOW_ROOM_W = 16;
const int WINDOW_ROOM_H = 64;

// A whole-number scale is kept while it fills at least this share, in per
// cent, of the width sharp scaling would fill.
const int WHOLE_SHARE = 85;

// Whether the next frame must be copied whatever it holds, and the screen
// the last one went to.
bool repaint = true;
BITMAP *last_screen = nullptr;
// The last frame shown, where the screen does not hold it pixel for pixel.
std::vector<uint32_t> last_shown;

// At 1x, wholly on a screen whose memory can be read, the screen itself is
// the surest record of what it shows, and keeping it costs nothing.
bool screen_holds(BITMAP *frame)
{
    return placed.scale == 1 && is_linear_bitmap(screen) && placed.left >= 0 && placed.top >= 0 &&
           placed.left + frame->w <= screen->w && placed.top + frame->h <= screen->h;
}

// The first row in which frame differs from the last frame shown: frame->h
// when none does, 0 when the last one is not known.
int first_change(BITMAP *frame, bool holds)
{
    const size_t row = size_t(frame->w);
    if (repaint || screen != last_screen || (!holds && last_shown.size() != row * size_t(frame->h)))
        return 0;
    for (int y = 0; y < frame->h; y++) {
        const void *shown = holds ? reinterpret_cast<const uint32_t *>(screen->line[placed.top + y]) + placed.left
                                  : &last_shown[size_t(y) * row];
        if (memcmp(frame->line[y], shown, row * sizeof(uint32_t)) != 0)
            return y;
    }
    return frame->h;
}

// Rows above from are kept already: they were found the same.
void keep_as_shown(BITMAP *frame, bool holds, int from)
{
    repaint = false;
    last_screen = screen;
    if (holds)
        return;
    const size_t row = size_t(frame->w);
    last_shown.resize(row * size_t(frame->h));
    for (int y = from; y < frame->h; y++)
        memcpy(&last_shown[size_t(y) * row], frame->line[y], row * sizeof(uint32_t));
}

// n * num / den to the nearest whole number, halves up.
int rounded(int n, int num, int den)
{
    return int((2 * long(n) * num + den) / (2 * long(den)));
}

// The largest 4:3 size within w x h, limited by the height or by the width.
void fit_4_3(int w, int h, int &fw, int &fh)
{
    fw = std::min(w, rounded(h, 4, 3));
    fh = std::min(h, rounded(w, 3, 4));
}

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

bool operator==(const Placement &a, const Placement &b)
{
    return a.left == b.left && a.top == b.top && a.w == b.w && a.h == b.h && a.scale == b.scale;
}

Placement frame_placement()
{
    return placed;
}

void use_placement(const Placement &p)
{
    placed = p;
    repaint_frame();
}

bool inside(const Area &a, const Area &outer)
{
    return a.w > 0 && a.h > 0 && a.x >= outer.x && a.y >= outer.y && a.x + a.w <= outer.x + outer.w &&
           a.y + a.h <= outer.y + outer.h;
}

int whole_scale(int w, int h)
{
    return std::max(1, std::min(w / FRAME_W, h / FRAME_H));
}

Placement fit_frame(Area area)
{
    int fw, fh;
    fit_4_3(area.w, area.h, fw, fh);
    int k = whole_scale(area.w, area.h);
    Placement p{0, 0, FRAME_W * k, FRAME_H * k, k};
    if (100 * p.w < WHOLE_SHARE * fw) {
        p.w = fw;
        p.h = fh;
        p.scale = 0;
    }
    // An area smaller than the frame shows its top-left part.
    p.left = area.x + std::max(0, (area.w - p.w) / 2);
    p.top = area.y + std::max(0, (area.h - p.h) / 2);
    return p;
}

Placement place_frame(int x, int y, int w, int h, int screen_w, int screen_h)
{
    Area monitor{x, y, w, h}, shown{0, 0, screen_w, screen_h};
    if (!inside(monitor, shown) || w < FRAME_W || h < FRAME_H)
        monitor = shown;
    return fit_frame(monitor);
}

int window_scale(int w, int h)
{
    return std::max(0, std::min((w - WINDOW_ROOM_W) / FRAME_W, (h - WINDOW_ROOM_H) / FRAME_H));
}

Area window_spot(Area usable)
{
    int room_w = usable.w - WINDOW_ROOM_W, room_h = usable.h - WINDOW_ROOM_H;
    int k = std::max(1, window_scale(usable.w, usable.h));
    int w = FRAME_W * k, h = FRAME_H * k;
    if (k == 1 && room_w > FRAME_W && room_h > FRAME_H)
        fit_4_3(room_w, room_h, w, h);
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
    const bool holds = screen_holds(frame);
    const int from = first_change(frame, holds);
    if (from == frame->h)
        return;
    // The scaled copies write without clipping: a place that does not lie
    // wholly on the screen gets the frame as it is, clipped.
    const Placement &p = placed;
    bool fits = p.left >= 0 && p.top >= 0 && p.left + p.w <= screen->w && p.top + p.h <= screen->h;
    if (p.scale == 1 || !fits)
        blit(frame, screen, 0, 0, p.left, p.top, frame->w, frame->h);
    else if (p.scale > 1)
        scaled_copy(frame, screen, p.scale, p.left, p.top);
    else
        sharp_copy(frame, screen, p.left, p.top, p.w, p.h);
    keep_as_shown(frame, holds, from);
    frame_sent();
}

void repaint_frame()
{
    repaint = true;
}

bool screen_shows_frame()
{
    return !repaint && screen == last_screen;
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
