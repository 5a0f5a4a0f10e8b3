// The keys and the pads the scenes read.
#include "core/input.h"

#include "platform/focus.h"
#include "platform/pad.h"

#include <allegro.h>

namespace {

// A pad's controls are meant for the game only while it has the focus, as
// keys are; what a pad holds meanwhile counts as let go.
bool pad(PadAction action)
{
    return !other_window_has_focus() && pads_hold(action);
}

bool pad_as(int scancode)
{
    switch (scancode) {
    case KEY_UP:
        return pad(PAD_UP);
    case KEY_DOWN:
        return pad(PAD_DOWN);
    case KEY_LEFT:
        return pad(PAD_LEFT);
    case KEY_RIGHT:
        return pad(PAD_RIGHT);
    case KEY_SPACE:
        return pad(PAD_CHOOSE);
    case KEY_ESC:
        return pad(PAD_CANCEL) || pad(PAD_BACK);
    default:
        return false;
    }
}

} // namespace

bool held(int scancode)
{
    return key[scancode] != 0 || pad_as(scancode);
}

// The east button, next to the south one on a handheld, does not end the game.
bool held_leave()
{
    return key[KEY_ESC] != 0 || pad(PAD_BACK);
}

bool any_press()
{
    return keypressed() || (!other_window_has_focus() && pads_pressed());
}

bool fresh_press(bool down, bool &latch)
{
    bool fresh = down && !latch;
    latch = down;
    return fresh;
}
