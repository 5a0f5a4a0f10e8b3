/* Looks at the X display from outside the game:
 *   xprobe cursor        prints the pointer image's size and count of visible pixels
 *   xprobe close WINDOW  asks WINDOW to close, as a window manager's close button does */
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

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
    else
        fprintf(stderr, "usage: xprobe cursor | xprobe close WINDOW\n");
    XCloseDisplay(d);
    return rc;
}
