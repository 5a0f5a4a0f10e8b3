// The screen on an X11 desktop: its mode, the frame's whole-number scale and place, the scaled copy.
#include "platform/display.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

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

const int FRAME_W = 640;
const int FRAME_H = 480;

// A window's title bar and borders; where the desktop does not say what its
// panels leave free, room for a panel too.
const int WINDOW_ROOM_W = 16;
const int WINDOW_ROOM_H = 64;
const int PANEL_ROOM = 48;

struct Area {
    int x, y, w, h;
};

bool inside(const Area &a, const Area &outer)
{
    return a.w > 0 && a.h > 0 && a.x >= outer.x && a.y >= outer.y && a.x + a.w <= outer.x + outer.w &&
           a.y + a.h <= outer.y + outer.h;
}

Area overlap(const Area &a, const Area &b)
{
    int x0 = std::max(a.x, b.x), y0 = std::max(a.y, b.y);
    int x1 = std::min(a.x + a.w, b.x + b.w), y1 = std::min(a.y + a.h, b.y + b.h);
    return {x0, y0, std::max(0, x1 - x0), std::max(0, y1 - y0)};
}

// The primary monitor as RandR reports it (the first active one when none is
// marked primary); false when the server does not know monitors.
bool primary_monitor(Display *d, Window root, Area *out)
{
    int event_base, error_base, major = 0, minor = 0;
    if (!XRRQueryExtension(d, &event_base, &error_base) || !XRRQueryVersion(d, &major, &minor) ||
        major * 100 + minor < 105)
        return false;
    int n = 0;
    XRRMonitorInfo *m = XRRGetMonitors(d, root, True, &n);
    if (!m)
        return false;
    int pick = -1;
    for (int i = 0; i < n && pick < 0; i++)
        if (m[i].primary)
            pick = i;
    if (pick < 0 && n > 0)
        pick = 0;
    if (pick >= 0)
        *out = {m[pick].x, m[pick].y, m[pick].width, m[pick].height};
    XRRFreeMonitors(m);
    return pick >= 0;
}

// What the window manager leaves free of panels (_NET_WORKAREA, first desktop).
bool work_area(Display *d, Window root, Area *out)
{
    Atom prop = XInternAtom(d, "_NET_WORKAREA", True);
    if (prop == None)
        return false;
    Atom type;
    int format;
    unsigned long count, after;
    unsigned char *data = nullptr;
    bool ok = XGetWindowProperty(d, root, prop, 0, 4, False, XA_CARDINAL, &type, &format, &count, &after,
                                 &data) == Success &&
              type == XA_CARDINAL && format == 32 && count == 4;
    if (ok) {
        const long *v = reinterpret_cast<const long *>(data);
        *out = {int(v[0]), int(v[1]), int(v[2]), int(v[3])};
    }
    if (data)
        XFree(data);
    return ok;
}

// The whole desktop, the primary monitor within it and the area a window may
// use. Without an answer from the server, all three are the desktop.
void look_at_desktop(Area *desktop, Area *monitor, Area *usable)
{
    int w = 0, h = 0;
    get_desktop_resolution(&w, &h);
    *desktop = {0, 0, w, h};
    *monitor = *desktop;
    *usable = {0, 0, w, h - PANEL_ROOM};
    Display *d = XOpenDisplay(nullptr);
    if (!d)
        return;
    int s = DefaultScreen(d);
    Window root = RootWindow(d, s);
    *desktop = {0, 0, DisplayWidth(d, s), DisplayHeight(d, s)};
    Area m;
    *monitor = primary_monitor(d, root, &m) && inside(m, *desktop) ? m : *desktop;
    Area work;
    if (work_area(d, root, &work) && inside(work, *desktop))
        *usable = overlap(work, *monitor);
    else
        *usable = {monitor->x, monitor->y, monitor->w, monitor->h - PANEL_ROOM};
    XCloseDisplay(d);
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

bool open_screen()
{
    Area desktop, monitor, usable;
    look_at_desktop(&desktop, &monitor, &usable);

    // Full screen at the desktop's own size, so the monitor keeps its mode.
    // A desktop smaller than the frame gets the frame's size, as it always did.
    int w = std::max(desktop.w, FRAME_W), h = std::max(desktop.h, FRAME_H);
    if (set_gfx_mode(GFX_AUTODETECT_FULLSCREEN, w, h, 0, 0) == 0) {
        Placement p = place_frame(monitor.x, monitor.y, monitor.w, monitor.h, SCREEN_W, SCREEN_H);
        frame_scale = p.scale;
        frame_left = p.left;
        frame_top = p.top;
        clear_to_color(screen, 0);
        return true;
    }

    frame_left = frame_top = 0;
    frame_scale = window_scale(usable.w, usable.h);
    if (frame_scale > 0 &&
        set_gfx_mode(GFX_AUTODETECT_WINDOWED, FRAME_W * frame_scale, FRAME_H * frame_scale, 0, 0) == 0)
        return true;
    frame_scale = 1;
    return set_gfx_mode(GFX_AUTODETECT_WINDOWED, FRAME_W, FRAME_H, 0, 0) == 0;
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
