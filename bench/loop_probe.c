/* Preloaded into the real game (LD_PRELOAD) to watch its frame loop from
 * outside. Each al_poll_duh() is one pass of the loop, each poll_mouse() one
 * tick, and a pass in which a picture went to the X server (XShmPutImage or
 * XPutImage) one frame shown. Only what happens between NANNYDAY_PROBE_FROM
 * and NANNYDAY_PROBE_TO seconds after the first pass is counted (default: all
 * of it). At exit it writes one line to the file named by NANNYDAY_PROBE_LOG:
 *   seconds passes frames ticks tick_seconds longest_gap_ms
 * tick_seconds is the time from the first counted tick to the last.
 * With NANNYDAY_PROBE_FIRST_FRAME naming a file, it also writes there, once,
 * the milliseconds from the process's start to the first picture put to the
 * X server whose top-left pixel is the intro's first stripe: the first frame
 * the player sees. The start is NANNYDAY_PROBE_T0 (seconds of the real-time
 * clock, as bash's $EPOCHREALTIME gives them just before it execs the game),
 * else the kernel's record of the process's start, which counts only whole
 * clock ticks (10 ms). */
#define _GNU_SOURCE
#include <X11/Xlib.h>
#include <X11/extensions/XShm.h>
#include <aldumb.h>
#include <dlfcn.h>
#include <stdatomic.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

static double start = -1, from, to = 1e30;
static double first_pass = -1, last_pass, first_tick = -1, last_tick, longest_gap;
static long passes, frames, ticks;
static atomic_int put_since_pass;
static atomic_int first_frame_seen;

#define FIRST_STRIPE 0x3ab2d3   /* makecol(58, 178, 211) on a 24-bit X screen */

/* Seconds since the process started, on the real-time clock. */
static double since_start(void)
{
    struct timespec t;
    clock_gettime(CLOCK_REALTIME, &t);
    double now_real = (double)t.tv_sec + (double)t.tv_nsec / 1e9;
    const char *t0 = getenv("NANNYDAY_PROBE_T0");
    if (t0)
        return now_real - atof(t0);
    /* starttime: field 22 of /proc/self/stat, in clock ticks since boot. */
    FILE *fp = fopen("/proc/self/stat", "r");
    char buf[1024];
    size_t n = fp ? fread(buf, 1, sizeof buf - 1, fp) : 0;
    if (fp)
        fclose(fp);
    buf[n] = 0;
    char *p = strrchr(buf, ')');
    unsigned long long ticks = 0;
    for (int field = 2; p && field < 22; field++)
        p = strchr(p + 1, ' ');
    if (p)
        ticks = strtoull(p + 1, NULL, 10);
    struct timespec boot;
    clock_gettime(CLOCK_BOOTTIME, &boot);
    return (double)boot.tv_sec + (double)boot.tv_nsec / 1e9 - (double)ticks / sysconf(_SC_CLK_TCK);
}

static void note_put(XImage *i, int sx, int sy)
{
    const char *path = getenv("NANNYDAY_PROBE_FIRST_FRAME");
    if (!path || atomic_load(&first_frame_seen) || !i || i->bits_per_pixel != 32)
        return;
    unsigned pixel = *(const unsigned *)(i->data + (long)sy * i->bytes_per_line + 4L * sx);
    if ((pixel & 0xffffff) != FIRST_STRIPE || atomic_exchange(&first_frame_seen, 1))
        return;
    double ms = since_start() * 1000;
    FILE *fp = fopen(path, "w");
    if (fp) {
        fprintf(fp, "%.1f\n", ms);
        fclose(fp);
    }
}

static double now(void)
{
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return (double)t.tv_sec + (double)t.tv_nsec / 1e9;
}

static int counting(double t)
{
    return start >= 0 && t - start >= from && t - start <= to;
}

typedef int (*poll_fn)(AL_DUH_PLAYER *);
typedef int (*mouse_fn)(void);
typedef Bool (*shm_put_fn)(Display *, Drawable, GC, XImage *, int, int, int, int, unsigned, unsigned, Bool);
typedef int (*put_fn)(Display *, Drawable, GC, XImage *, int, int, int, int, unsigned, unsigned);

#define REAL(name, type) \
    static type real; \
    if (!real) \
        real = (type)dlsym(RTLD_NEXT, name)

int al_poll_duh(AL_DUH_PLAYER *dp)
{
    REAL("al_poll_duh", poll_fn);
    double t = now();
    if (start < 0) {
        start = t;
        const char *a = getenv("NANNYDAY_PROBE_FROM"), *b = getenv("NANNYDAY_PROBE_TO");
        from = a ? atof(a) : 0;
        to = b ? atof(b) : 1e30;
    }
    if (counting(t)) {
        if (first_pass < 0)
            first_pass = t;
        else if (t - last_pass > longest_gap)
            longest_gap = t - last_pass;
        last_pass = t;
        passes++;
        if (atomic_exchange(&put_since_pass, 0))
            frames++;
    } else {
        atomic_store(&put_since_pass, 0);
    }
    return real(dp);
}

int poll_mouse(void)
{
    REAL("poll_mouse", mouse_fn);
    double t = now();
    if (counting(t)) {
        if (first_tick < 0)
            first_tick = t;
        last_tick = t;
        ticks++;
    }
    return real();
}

Bool XShmPutImage(Display *d, Drawable w, GC gc, XImage *i, int sx, int sy, int dx, int dy, unsigned int wd,
                  unsigned int h, Bool ev)
{
    REAL("XShmPutImage", shm_put_fn);
    note_put(i, sx, sy);
    atomic_store(&put_since_pass, 1);
    return real(d, w, gc, i, sx, sy, dx, dy, wd, h, ev);
}

int XPutImage(Display *d, Drawable w, GC gc, XImage *i, int sx, int sy, int dx, int dy, unsigned int wd,
              unsigned int h)
{
    REAL("XPutImage", put_fn);
    note_put(i, sx, sy);
    atomic_store(&put_since_pass, 1);
    return real(d, w, gc, i, sx, sy, dx, dy, wd, h);
}

__attribute__((destructor)) static void report(void)
{
    const char *path = getenv("NANNYDAY_PROBE_LOG");
    FILE *fp = path ? fopen(path, "w") : NULL;
    if (!fp)
        return;
    fprintf(fp, "%.3f %ld %ld %ld %.4f %.2f\n", first_pass < 0 ? 0 : last_pass - first_pass, passes, frames,
            ticks, first_tick < 0 ? 0 : last_tick - first_tick, longest_gap * 1000);
    fclose(fp);
}
