/* Preloaded into the real game (LD_PRELOAD) to count its frames: every
 * blit() to the screen is one. Writes "frames seconds" to the file named by
 * NANNYDAY_FRAME_LOG when the game exits; the clock starts at the first frame. */
#define _GNU_SOURCE
#include <allegro.h>
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>

static long frames;
static struct timespec first, last;

void blit(BITMAP *src, BITMAP *dst, int sx, int sy, int dx, int dy, int w, int h)
{
    static void (*real)(BITMAP *, BITMAP *, int, int, int, int, int, int);
    if (!real)
        real = (void (*)(BITMAP *, BITMAP *, int, int, int, int, int, int))dlsym(RTLD_NEXT, "blit");
    real(src, dst, sx, sy, dx, dy, w, h);
    if (dst == screen) {
        clock_gettime(CLOCK_MONOTONIC, frames ? &last : &first);
        frames++;
    }
}

__attribute__((destructor)) static void report(void)
{
    const char *path = getenv("NANNYDAY_FRAME_LOG");
    FILE *fp = path ? fopen(path, "w") : NULL;
    if (!fp)
        return;
    double secs = (double)(last.tv_sec - first.tv_sec) + (double)(last.tv_nsec - first.tv_nsec) / 1e9;
    fprintf(fp, "%ld %.3f\n", frames, secs);
    fclose(fp);
}
