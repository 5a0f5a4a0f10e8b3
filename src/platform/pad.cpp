// Reads joydev's nodes directly: Allegro's own driver does not give the
// button and axis maps that tell which control is which.
#include "platform/pad.h"

#include "platform/platform.h"

#include <linux/joystick.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

const int NODES = 4;

struct Node {
    int fd = -1;
    Pad pad;
    bool refused = false;   // said once that it could not be opened
};

Node nodes[NODES];
bool started = false;
bool pressed_now = false;
timespec last_look;

void look_for(int i)
{
    Node &node = nodes[i];
    char path[32];
    snprintf(path, sizeof path, "/dev/input/js%d", i);
    int fd = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        // No pad is the usual case and says nothing; one that is there but
        // barred is said once, not at every look.
        if ((errno == EACCES || errno == EPERM) && !node.refused) {
            fprintf(stderr, "nannyday: cannot open the gamepad %s: %s\n", path, strerror(errno));
            node.refused = true;
        }
        return;
    }
    uint32_t version = 0;
    uint8_t axes = 0, buttons = 0;
    if (ioctl(fd, JSIOCGVERSION, &version) < 0 || ioctl(fd, JSIOCGAXES, &axes) < 0 ||
        ioctl(fd, JSIOCGBUTTONS, &buttons) < 0) {
        close(fd);   // not a joystick
        return;
    }
    static uint8_t axis_codes[ABS_CNT];
    static uint16_t button_codes[KEY_MAX - BTN_MISC + 1];
    bool axis_map = ioctl(fd, JSIOCGAXMAP, axis_codes) >= 0;
    bool button_map = ioctl(fd, JSIOCGBTNMAP, button_codes) >= 0;
    // The axis map has room for ABS_CNT axes only; a count past it is not believed.
    setup_pad(node.pad, axes < ABS_CNT ? axes : ABS_CNT, buttons, axis_map ? axis_codes : nullptr,
              button_map ? button_codes : nullptr);
    node.fd = fd;
}

void drop(Node &node)
{
    close(node.fd);
    node.fd = -1;
    let_go(node.pad);
}

// Pulled out: joydev's read fails with ENODEV and poll reports a hang-up;
// an end of file is taken the same way. joydev hands out whole records only.
void read_node(Node &node)
{
    js_event events[64];
    for (;;) {
        ssize_t n = read(node.fd, events, sizeof events);
        if (n > 0) {
            for (size_t i = 0; i < static_cast<size_t>(n) / sizeof *events; i++)
                pad_event(node.pad, events[i].type, events[i].number, events[i].value);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno == EAGAIN)
            break;
        drop(node);
        return;
    }
    pollfd p = {node.fd, POLLIN, 0};
    if (poll(&p, 1, 0) > 0 && (p.revents & (POLLERR | POLLHUP | POLLNVAL)))
        drop(node);
}

bool time_to_look()
{
    if (ns_since(last_look) < 1000000000L)
        return false;
    clock_gettime(CLOCK_MONOTONIC, &last_look);
    return true;
}

} // namespace

void start_pads()
{
    started = true;
    clock_gettime(CLOCK_MONOTONIC, &last_look);
    for (int i = 0; i < NODES; i++)
        look_for(i);
}

void poll_pads()
{
    pressed_now = false;
    if (!started)
        return;
    bool look = time_to_look();
    for (int i = 0; i < NODES; i++) {
        Node &node = nodes[i];
        if (node.fd < 0 && look)
            look_for(i);
        if (node.fd < 0)
            continue;
        read_node(node);
        pressed_now = take_press(node.pad) || pressed_now;
    }
}

bool pads_hold(PadAction action)
{
    for (const Node &node : nodes)
        if (node.fd >= 0 && pad_holds(node.pad, action))
            return true;
    return false;
}

bool pads_pressed()
{
    return pressed_now;
}
