/* Looks at the X display from outside the game:
 *   xprobe cursor        prints the pointer image's size and count of visible pixels
 *   xprobe close WINDOW  asks WINDOW to close, as a window manager's close button does
 *   xprobe wait X Y R,G,B SECONDS
 *                        waits until the screen's pixel (X, Y) has that colour, looking
 *                        every 5 ms; fast enough to time what the game shows
 *   xprobe grab SECONDS  holds a grab of the pointer that long, as a menu or a
 *                        drag does; prints "grabbed" once it holds it */
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <X11/Xutil.h>

static int cursor(Display *d)
{
    XFixesCursorImage *c = XFixesGetCursorImage(d);
    if (!c)
        return 3;
    int visible = 0;
    for (int i = 0; i < c->width * c->height; i++)
        if ((c->pixels[i] >> 24) & 0xff)
            visible++;
    printf("%dx%d visible=%d\n", c->width, c->height, visible);
    return 0;
}

static int close_window(Display *d, Window w)
{
    XEvent ev;
    memset(&ev, 0, sizeof ev);
    ev.xclient.type = ClientMessage;
    ev.xclient.window = w;
    ev.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
    ev.xclient.format = 32;
    ev.xclient.data.l[0] = (long)XInternAtom(d, "WM_DELETE_WINDOW", False);
    ev.xclient.data.l[1] = CurrentTime;
    XSendEvent(d, w, False, NoEventMask, &ev);
    XFlush(d);
    return 0;
}

static double seconds(void)
{
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return (double)t.tv_sec + (double)t.tv_nsec / 1e9;
}

static int wait_pixel(Display *d, int x, int y, const char *rgb, double limit)
{
    unsigned r, g, b;
    if (sscanf(rgb, "%u,%u,%u", &r, &g, &b) != 3)
        return 2;
    unsigned long want = (r << 16) | (g << 8) | b;
    unsigned long got = 0;
    double start = seconds();
    struct timespec pause = {0, 5000000};
    for (;;) {
        XImage *img = XGetImage(d, DefaultRootWindow(d), x, y, 1, 1, AllPlanes, ZPixmap);
        if (img) {
            got = XGetPixel(img, 0, 0) & 0xffffff;
            XDestroyImage(img);
        }
        if (got == want)
            return 0;
        if (seconds() - start > limit) {
            fprintf(stderr, "pixel (%d,%d) is %lu,%lu,%lu, not %s\n", x, y, got >> 16, (got >> 8) & 255,
                    got & 255, rgb);
            return 1;
        }
        nanosleep(&pause, NULL);
    }
}

static int grab_pointer(Display *d, double limit)
{
    if (XGrabPointer(d, DefaultRootWindow(d), False, ButtonPressMask, GrabModeAsync, GrabModeAsync, None, None,
                     CurrentTime) != GrabSuccess)
        return 1;
    XSync(d, False);
    printf("grabbed\n");
    fflush(stdout);
    struct timespec t = {(time_t)limit, (long)((limit - (double)(time_t)limit) * 1e9)};
    nanosleep(&t, NULL);
    XUngrabPointer(d, CurrentTime);
    XSync(d, False);
    return 0;
}

int main(int argc, char **argv)
{
    Display *d = XOpenDisplay(NULL);
    if (!d)
        return 2;
    int rc = 1;
    if (argc == 2 && strcmp(argv[1], "cursor") == 0)
        rc = cursor(d);
    else if (argc == 3 && strcmp(argv[1], "close") == 0)
        rc = close_window(d, (Window)strtoul(argv[2], NULL, 0));
    else if (argc == 6 && strcmp(argv[1], "wait") == 0)
        rc = wait_pixel(d, atoi(argv[2]), atoi(argv[3]), argv[4], atof(argv[5]));
    else if (argc == 3 && strcmp(argv[1], "grab") == 0)
        rc = grab_pointer(d, atof(argv[2]));
    else
        fprintf(stderr, "usage: xprobe cursor | xprobe close WINDOW | xprobe wait X Y R,G,B SECONDS | xprobe grab SECONDS\n");
    XCloseDisplay(d);
    return rc;
}
