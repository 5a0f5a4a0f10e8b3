// Level three: hold Right to push the trolley off the right of the screen.
#pragma once

#include "levels/level.h"

#include <cstdint>

extern int xpos;   // screen x of the trolley's left edge

template <>
struct LevelLoop<2> {
    static void enter();
    static void latch() { latch_level(); }
    static bool running();
    static void tick();
    static uint64_t look();
    static void draw();
};
