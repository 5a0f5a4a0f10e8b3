/* Preloaded into the real game (LD_PRELOAD) to watch its frame loop from
 * outside. Each al_poll_duh() is one pass of the loop, each poll_mouse() one
 * tick, and a pass in which a picture went to the X server (XShmPutImage or
 * XPutImage) one frame shown. Only what happens between NANNYDAY_PROBE_FROM
 * and NANNYDAY_PROBE_TO seconds after the first pass is counted (default: all
 * of it). At exit it writes one line to the file named by NANNYDAY_PROBE_LOG:
 *   seconds passes frames ticks tick_seconds longest_gap_ms
 * tick_seconds is the time from the first counted tick to the last. */
#define _GNU_SOURCE
#include <X11/Xlib.h>
#include <X11/extensions/XShm.h>
#include <aldumb.h>
#include <dlfcn.h>
#include <stdatomic.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>

static double start = -1, from, to = 1e30;
static double first_pass = -1, last_pass, first_tick = -1, last_tick, longest_gap;
static long passes, frames, ticks;
static atomic_int put_since_pass;

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
    atomic_store(&put_since_pass, 1);
    return real(d, w, gc, i, sx, sy, dx, dy, wd, h, ev);
}

int XPutImage(Display *d, Drawable w, GC gc, XImage *i, int sx, int sy, int dx, int dy, unsigned int wd,
              unsigned int h)
{
    REAL("XPutImage", put_fn);
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
