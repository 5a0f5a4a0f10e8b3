// Where the keyboard's keys go: to the game, or to another window.
#include "platform/focus.h"

#include "platform/desktop.h"
#include "platform/keys.h"
#include "platform/window.h"

#include <allegro.h>
#include <xalleg.h>

namespace {

// Keys typed now reach the game. While they do not, the game lets go of every
// key on each pass: Allegro reads its key events on a connection of its own
// and may still set a key from one that came just before they went.
bool here = true;
bool came_back = false;
// Another client holds the keyboard (a manager's window switcher): keys go to
// it, though the focus stays with the game.
bool grabbed = false;
// An event came that may have changed where keys go; looked at once the
// events in the queue are all taken in, so that only the last state counts.
bool recheck = true;

// The window at the top of the game's tree: the manager's frame around it,
// or the game itself.
Window top_of_game(Window root)
{
    Window w = game;
    for (;;) {
        Window r, parent, *kids = nullptr;
        unsigned n = 0;
        if (!XQueryTree(xdisplay, w, &r, &parent, &kids, &n))
            return w;
        if (kids)
            XFree(kids);
        if (parent == root || parent == None)
            return w;
        w = parent;
    }
}

// With keys following the pointer (as without a manager), they come to the
// game while the pointer is over it, whatever other client holds a grab.
bool pointer_over_game()
{
    Window root = DefaultRootWindow(xdisplay), r, child = None;
    int rx, ry, wx, wy;
    unsigned mask;
    XQueryPointer(xdisplay, root, &r, &child, &rx, &ry, &wx, &wy, &mask);
    return child != None && child == top_of_game(root);
}

bool keys_come_here()
{
    if (grabbed)
        return false;
    Window focus;
    int revert;
    XGetInputFocus(xdisplay, &focus, &revert);
    if (focus == PointerRoot)
        return pointer_over_game();
    return focus == game || focus == _xwin.window;
}

} // namespace

void focus_event(const union _XEvent &e)
{
    recheck = true;
    // A keyboard grab moves the focus in name only: the events say so.
    if (e.type == FocusOut && e.xfocus.mode == NotifyGrab && e.xfocus.detail != NotifyInferior)
        grabbed = true;
    else if (e.type == FocusIn && e.xfocus.detail != NotifyInferior)
        grabbed = e.xfocus.mode == NotifyWhileGrabbed;
}

void keep_keys_straight()
{
    if (recheck && xdisplay) {
        recheck = false;
        bool now = keys_come_here();
        if (now && !here) {
            char held[32];
            XQueryKeymap(xdisplay, held);
            hold_keys(held);
            came_back = true;
        }
        here = now;
    }
    if (!here)
        let_go_of_keys();
}

bool focus_came_back()
{
    bool back = came_back;
    came_back = false;
    return back;
}

bool other_window_has_focus()
{
    return managed && !here;
}
