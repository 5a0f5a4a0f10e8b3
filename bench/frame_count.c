/* Preloaded into the real game (LD_PRELOAD) to count its frames: the frame
 * loop polls the music once per frame, whatever the screen's scale. Writes
 * "frames seconds" to the file named by NANNYDAY_FRAME_LOG when the game exits;
 * the clock starts at the first frame. */
#define _GNU_SOURCE
#include <aldumb.h>
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>

static long frames;
static struct timespec first, last;

int al_poll_duh(AL_DUH_PLAYER *dp)
{
    static int (*real)(AL_DUH_PLAYER *);
    if (!real)
        real = (int (*)(AL_DUH_PLAYER *))dlsym(RTLD_NEXT, "al_poll_duh");
    int r = real(dp);
    clock_gettime(CLOCK_MONOTONIC, frames ? &last : &first);
    frames++;
    return r;
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
