// The keyboard's calls on Allegro's input thread, and the game thread's own changes to key[].
#include "platform/keys.h"

#include <allegro.h>
#include <xalleg.h>

#include <atomic>

namespace {

// From the input thread to the game thread: a toggle key went down.
std::atomic<bool> toggle_wanted{false};
// The toggle key still held, so that its repeats do not toggle again. The
// keyboard's calls set it, on the input thread or, when the game thread lets
// go of keys or holds them, on that one.
std::atomic<int> toggle_key{0};

bool alt_held()
{
    return key[KEY_ALT] || key[KEY_ALTGR];
}

// The keyboard's calls, on Allegro's input thread: they only pass the wish on.
void on_key_change(int scancode)
{
    int code = scancode & 0x7f;
    if (scancode & 0x80) {
        if (code == toggle_key)
            toggle_key = 0;
    } else if (toggle_key == 0 && toggles_window(code, alt_held())) {
        toggle_key = code;
        toggle_wanted = true;
    }
}

// Keeps the toggle keys out of the key buffer, where the intro would take
// them for "any key".
int on_buffered_key(int k)
{
    return toggles_window(k >> 8, alt_held()) ? 0 : k;
}

} // namespace

bool toggles_window(int scancode, bool alt)
{
    return scancode == KEY_F11 || ((scancode == KEY_ENTER || scancode == KEY_ENTER_PAD) && alt);
}

void watch_toggle_keys()
{
    keyboard_lowlevel_callback = on_key_change;
    keyboard_callback = on_buffered_key;
}

bool toggle_asked()
{
    return toggle_wanted.exchange(false);
}

// Allegro lets go of every key when the focus goes to another window, but not
// when keys follow the pointer and the pointer leaves: a key let go of
// elsewhere would stay held in key[] for good. Done under Allegro's X lock,
// which its input thread holds while it handles keys.
void let_go_of_keys()
{
    bool any = false;
    for (int k = 1; k < KEY_MAX && !any; k++)
        any = key[k] != 0;
    if (!any)
        return;
    XLOCK();
    for (int k = 1; k < KEY_MAX; k++)
        if (key[k])
            _handle_key_release(k);
    XUNLOCK();
}

// A key held while the focus comes back shows up in key[] only at its next
// auto-repeat, some 40 ms later, which the scenes would take for a fresh
// press: a tick in between would see it up. So it is shown held at once.
void hold_keys(const char held[32])
{
    XLOCK();
    bool marked[KEY_MAX] = {};
    for (int code = 8; code < 256; code++) {
        int k = _xwin.keycode_to_scancode[code];
        if ((held[code / 8] & (1 << (code % 8))) && k > 0 && k < KEY_MAX && !key[k])
            key[k] = marked[k] = TRUE;
    }
    // Alt may come after Enter in the keymap.
    for (int k = 1; k < KEY_MAX && toggle_key == 0; k++)
        if (marked[k] && toggles_window(k, alt_held()))
            toggle_key = k;
    XUNLOCK();
}
