// Level three: hold Right to push the trolley off the right of the screen.
#pragma once

#include "levels/level.h"

extern int xpos;   // screen x of the trolley's left edge

template <>
struct LevelLoop<2> {
    static void enter();
    // Sets the scene's key latches as at its start: from enter(), and from
    // the loop when the window gets the focus back, so that a key still held
    // then needs a fresh press to act.
    static void latch();
    static bool running();
    static void tick();
    static void draw();
};
