// What a pad's buttons and axes do and what it holds now, from the kernel's
// joystick events alone: no device is needed, so the tests feed it records.
#pragma once

#include <cstdint>

// What the game asks of a pad. CHOOSE is the south button or Start (Space);
// CANCEL the east button (Esc, but not the title's way out); BACK is Back or
// Select (Esc everywhere, the title's way out included).
enum PadAction { PAD_UP, PAD_DOWN, PAD_LEFT, PAD_RIGHT, PAD_CHOOSE, PAD_CANCEL, PAD_BACK, PAD_ACTIONS };

// Event numbers are one byte: nothing past these can be named.
const int PAD_MAX_AXES = 256;
const int PAD_MAX_BUTTONS = 256;

// A stick counts as pushed past half of its travel and as let go only below
// a third of it, so that one resting near half does not chatter.
const int PAD_PUSH = 16384;
const int PAD_LET_GO = 10923;

struct Pad {
    int axes;
    int buttons;
    uint8_t axis_role[PAD_MAX_AXES];
    uint8_t button_role[PAD_MAX_BUTTONS];
    int8_t axis_way[PAD_MAX_AXES];   // -1, 0 or 1, after the hysteresis
    bool button_down[PAD_MAX_BUTTONS];
    bool pressed;   // a button or the D-pad went down since the last take_press()
};

// Gives each control its part from the device's maps (axis codes ABS_*, one
// byte each; button codes BTN_*, two bytes each), or from the fallback when a
// map is null or names nothing the game knows: button 0 chooses, button 1
// cancels, the first two axes are the arrows. Everything starts let go.
void setup_pad(Pad &pad, int axes, int buttons, const uint8_t *axis_codes, const uint16_t *button_codes);

// One event as joydev sends it. The state a pad reports when it is opened
// (the init flag) is not taken: a control held then counts as up until it
// has been let go and pressed again. Numbers past the pad's counts and
// unknown types change nothing.
void pad_event(Pad &pad, uint8_t type, uint8_t number, int16_t value);

bool pad_holds(const Pad &pad, PadAction action);

// Whether a button or the D-pad (not a stick) went down since the last call.
bool take_press(Pad &pad);

// Everything counts as up, as when the pad is pulled out.
void let_go(Pad &pad);
