// The gamepads on the kernel's joystick interface, /dev/input/js0 to js3:
// found when plugged in at any time, dropped when pulled out.
#pragma once

#include "platform/pad_layout.h"

// Opens the pads there are and from now on looks for new ones. Start-up
// calls it; the headless tests never do, so they read no device.
void start_pads();

// Takes in everything the pads sent since the last call, without waiting;
// looks for newly plugged pads about once a second. Once per tick, before it.
void poll_pads();

// Whether any pad holds the control for this action now.
bool pads_hold(PadAction action);

// Whether a button or D-pad of any pad went down in what the last poll took in.
bool pads_pressed();
