/* A stand-in for joydev, preloaded into the game (LD_PRELOAD) by the gamepad
 * tests. Opening /dev/input/jsN opens $FAKEPAD_DIR/jsN instead, a FIFO the
 * test writes struct js_event records into, so each test has its own pads and
 * tests beside it see none. The node answers the joystick ioctls with the
 * layout named in $FAKEPAD_DIR/jsN.layout (xbox or ps); without that file it
 * answers none, as any file that is not a joystick. A node with no read
 * permission is refused with EACCES even for root; once the node is removed,
 * read() fails with ENODEV, as for a pad pulled out. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <fcntl.h>
#include <linux/joystick.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

struct layout {
    const char *name;
    int axes;
    unsigned char axis_codes[16];
    int buttons;
    unsigned short button_codes[24];
};

/* The drivers' own orders (xpad, hid-playstation): joydev numbers the codes a
 * pad has in code order, so Start is 7 on one and 9 on the other. */
static const struct layout layouts[] = {
    {"xbox", 8,
     {ABS_X, ABS_Y, ABS_Z, ABS_RX, ABS_RY, ABS_RZ, ABS_HAT0X, ABS_HAT0Y}, 11,
     {BTN_SOUTH, BTN_EAST, BTN_NORTH, BTN_WEST, BTN_TL, BTN_TR, BTN_SELECT, BTN_START, BTN_MODE,
      BTN_THUMBL, BTN_THUMBR}},
    {"ps", 8,
     {ABS_X, ABS_Y, ABS_Z, ABS_RX, ABS_RY, ABS_RZ, ABS_HAT0X, ABS_HAT0Y}, 13,
     {BTN_SOUTH, BTN_EAST, BTN_NORTH, BTN_WEST, BTN_TL, BTN_TR, BTN_TL2, BTN_TR2, BTN_SELECT,
      BTN_START, BTN_MODE, BTN_THUMBL, BTN_THUMBR}},
};

#define MAX_FD 1024
static struct {
    int fake;
    const struct layout *layout;
    char path[512];
    ino_t inode;
} fds[MAX_FD];

/* The test's node for a joydev path, or 0 when the path is not one. */
static int redirect(const char *path, char *out, size_t size)
{
    const char *dir = getenv("FAKEPAD_DIR");
    if (!dir || !path || strncmp(path, "/dev/input/js", 13) != 0)
        return 0;
    snprintf(out, size, "%s/%s", dir, path + 11);
    return 1;
}

static const struct layout *layout_of(const char *node)
{
    char name[600], word[32] = "";
    snprintf(name, sizeof name, "%s.layout", node);
    FILE *f = fopen(name, "r");
    if (!f)
        return NULL;
    int got = fscanf(f, "%31s", word);
    fclose(f);
    for (size_t i = 0; got == 1 && i < sizeof layouts / sizeof layouts[0]; i++)
        if (strcmp(word, layouts[i].name) == 0)
            return &layouts[i];
    return NULL;
}

static int open_node(const char *path, int flags, mode_t mode)
{
    static int (*real_open)(const char *, int, ...);
    if (!real_open)
        real_open = (int (*)(const char *, int, ...))dlsym(RTLD_NEXT, "open");
    char node[512];
    if (!redirect(path, node, sizeof node))
        return real_open(path, flags, mode);
    struct stat st;
    if (stat(node, &st) == 0 && (st.st_mode & 0444) == 0) {
        errno = EACCES;
        return -1;
    }
    int fd = real_open(node, flags, mode);
    if (fd >= 0 && fd < MAX_FD) {
        fds[fd].fake = 1;
        fds[fd].layout = layout_of(node);
        snprintf(fds[fd].path, sizeof fds[fd].path, "%s", node);
        fds[fd].inode = fstat(fd, &st) == 0 ? st.st_ino : 0;
    }
    return fd;
}

#define MODE_ARG(flags, mode)                   \
    mode_t mode = 0;                            \
    if ((flags) & (O_CREAT | O_TMPFILE)) {      \
        va_list ap;                             \
        va_start(ap, flags);                    \
        mode = (mode_t)va_arg(ap, int);         \
        va_end(ap);                             \
    }

int open(const char *path, int flags, ...)
{
    MODE_ARG(flags, mode);
    return open_node(path, flags, mode);
}

int open64(const char *path, int flags, ...)
{
    MODE_ARG(flags, mode);
    return open_node(path, flags, mode);
}

int close(int fd)
{
    static int (*real_close)(int);
    if (!real_close)
        real_close = (int (*)(int))dlsym(RTLD_NEXT, "close");
    if (fd >= 0 && fd < MAX_FD)
        fds[fd].fake = 0;
    return real_close(fd);
}

/* Pulled out: the node is gone, or another one took its name. */
static int gone(int fd)
{
    struct stat st;
    return stat(fds[fd].path, &st) != 0 || st.st_ino != fds[fd].inode;
}

ssize_t read(int fd, void *buf, size_t n)
{
    static ssize_t (*real_read)(int, void *, size_t);
    if (!real_read)
        real_read = (ssize_t (*)(int, void *, size_t))dlsym(RTLD_NEXT, "read");
    if (fd >= 0 && fd < MAX_FD && fds[fd].fake && fds[fd].layout && gone(fd)) {
        errno = ENODEV;
        return -1;
    }
    return real_read(fd, buf, n);
}

static int copy_out(void *arg, const void *what, size_t have, size_t room)
{
    memset(arg, 0, room);
    memcpy(arg, what, have < room ? have : room);
    return (int)(have < room ? have : room);
}

int ioctl(int fd, unsigned long request, ...)
{
    static int (*real_ioctl)(int, unsigned long, ...);
    if (!real_ioctl)
        real_ioctl = (int (*)(int, unsigned long, ...))dlsym(RTLD_NEXT, "ioctl");
    va_list ap;
    va_start(ap, request);
    void *arg = va_arg(ap, void *);
    va_end(ap);
    if (fd < 0 || fd >= MAX_FD || !fds[fd].fake || !fds[fd].layout || _IOC_TYPE(request) != 'j')
        return real_ioctl(fd, request, arg);
    const struct layout *l = fds[fd].layout;
    if (gone(fd)) {
        errno = ENODEV;
        return -1;
    }
    size_t size = _IOC_SIZE(request);
    switch (_IOC_NR(request)) {
    case 0x01: {
        unsigned int version = JS_VERSION;
        return copy_out(arg, &version, sizeof version, size) > 0 ? 0 : -1;
    }
    case 0x11: {
        unsigned char axes = (unsigned char)l->axes;
        return copy_out(arg, &axes, 1, size) > 0 ? 0 : -1;
    }
    case 0x12: {
        unsigned char buttons = (unsigned char)l->buttons;
        return copy_out(arg, &buttons, 1, size) > 0 ? 0 : -1;
    }
    case 0x32:   /* the maps, the rest of the kernel's room left zero */
        return copy_out(arg, l->axis_codes, sizeof l->axis_codes, size) > 0 ? 0 : -1;
    case 0x34:
        return copy_out(arg, l->button_codes, sizeof l->button_codes, size) > 0 ? 0 : -1;
    default:
        errno = EINVAL;
        return -1;
    }
}
