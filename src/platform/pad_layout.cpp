// Pad controls by the kernel's codes for them, not by their numbers, which
// differ from pad to pad (Start is 7 on an Xbox pad, 9 on a DualSense).
#include "platform/pad_layout.h"

#include <linux/joystick.h>

#include <cstring>

namespace {

enum AxisRole : uint8_t { NO_AXIS, STICK_X, STICK_Y, HAT_X, HAT_Y };
const uint8_t NO_BUTTON = PAD_ACTIONS;

uint8_t button_part(uint16_t code)
{
    switch (code) {
    case BTN_SOUTH:
    case BTN_START:
        return PAD_CHOOSE;
    case BTN_EAST:
        return PAD_CANCEL;
    case BTN_SELECT:
        return PAD_BACK;
    case BTN_DPAD_UP:
        return PAD_UP;
    case BTN_DPAD_DOWN:
        return PAD_DOWN;
    case BTN_DPAD_LEFT:
        return PAD_LEFT;
    case BTN_DPAD_RIGHT:
        return PAD_RIGHT;
    default:
        return NO_BUTTON;
    }
}

uint8_t axis_part(uint8_t code)
{
    switch (code) {
    case ABS_X:
        return STICK_X;
    case ABS_Y:
        return STICK_Y;
    case ABS_HAT0X:
        return HAT_X;
    case ABS_HAT0Y:
        return HAT_Y;
    default:
        return NO_AXIS;
    }
}

// Where an axis now points, given where it pointed: it turns only when
// pushed past half, and lets go only below a third.
int8_t follow(int8_t way, int value)
{
    if (value >= PAD_PUSH)
        return 1;
    if (value <= -PAD_PUSH)
        return -1;
    if (value > -PAD_LET_GO && value < PAD_LET_GO)
        return 0;
    return way;
}

} // namespace

void setup_pad(Pad &pad, int axes, int buttons, const uint8_t *axis_codes, const uint16_t *button_codes)
{
    memset(&pad, 0, sizeof pad);
    pad.axes = axes < 0 ? 0 : axes > PAD_MAX_AXES ? PAD_MAX_AXES : axes;
    pad.buttons = buttons < 0 ? 0 : buttons > PAD_MAX_BUTTONS ? PAD_MAX_BUTTONS : buttons;

    bool known = false;
    for (int i = 0; i < pad.buttons; i++) {
        pad.button_role[i] = button_codes ? button_part(button_codes[i]) : NO_BUTTON;
        known = known || pad.button_role[i] != NO_BUTTON;
    }
    if (!known) {
        if (pad.buttons > 0)
            pad.button_role[0] = PAD_CHOOSE;
        if (pad.buttons > 1)
            pad.button_role[1] = PAD_CANCEL;
    }

    known = false;
    for (int i = 0; i < pad.axes; i++) {
        pad.axis_role[i] = axis_codes ? axis_part(axis_codes[i]) : uint8_t{NO_AXIS};
        known = known || pad.axis_role[i] != NO_AXIS;
    }
    if (!known) {
        if (pad.axes > 0)
            pad.axis_role[0] = STICK_X;
        if (pad.axes > 1)
            pad.axis_role[1] = STICK_Y;
    }
}

void pad_event(Pad &pad, uint8_t type, uint8_t number, int16_t value)
{
    if (type == JS_EVENT_BUTTON && number < pad.buttons) {
        bool down = value != 0;
        pad.pressed = pad.pressed || (down && !pad.button_down[number]);
        pad.button_down[number] = down;
    } else if (type == JS_EVENT_AXIS && number < pad.axes) {
        int8_t was = pad.axis_way[number];
        int8_t way = follow(was, value);
        bool hat = pad.axis_role[number] == HAT_X || pad.axis_role[number] == HAT_Y;
        pad.pressed = pad.pressed || (hat && way != 0 && way != was);
        pad.axis_way[number] = way;
    }
}

bool pad_holds(const Pad &pad, PadAction action)
{
    for (int i = 0; i < pad.buttons; i++)
        if (pad.button_down[i] && pad.button_role[i] == action)
            return true;
    bool across = action == PAD_LEFT || action == PAD_RIGHT;
    bool along = action == PAD_UP || action == PAD_DOWN;
    if (!across && !along)
        return false;
    int8_t want = action == PAD_LEFT || action == PAD_UP ? -1 : 1;
    for (int i = 0; i < pad.axes; i++) {
        uint8_t role = pad.axis_role[i];
        bool x = role == STICK_X || role == HAT_X;
        bool y = role == STICK_Y || role == HAT_Y;
        if (pad.axis_way[i] == want && ((across && x) || (along && y)))
            return true;
    }
    return false;
}

bool take_press(Pad &pad)
{
    bool pressed = pad.pressed;
    pad.pressed = false;
    return pressed;
}

void let_go(Pad &pad)
{
    memset(pad.axis_way, 0, sizeof pad.axis_way);
    memset(pad.button_down, 0, sizeof pad.button_down);
    pad.pressed = false;
}
