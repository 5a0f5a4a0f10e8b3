// Level one: steer the nanny so the fleeing child ends up in the bottom-right corner.
#pragma once

#include "core/layout.h"
#include "levels/level.h"

#include <cstdint>

struct Point {
    float x;
    float y;
};

// The play area, where both figures' feet stay; the goal is (RIGHT, BOTTOM).
const float TOP = LAWN_TOP;
const float BOTTOM = LAWN_BOTTOM;
const float LEFT = LAWN_LEFT;
const float RIGHT = LAWN_RIGHT;
const float v = 3.0f;   // per tick: the nanny on each axis, the child along its flight

extern Point player;    // the nanny's feet
extern Point child;     // the child's feet
extern int endtimer;    // ticks left of the frozen win picture; 0 while playing

template <>
struct LevelLoop<0> {
    static void enter();
    static void latch() { latch_level(); }
    static bool running();
    static void tick();
    static uint64_t look();
    static void draw();
};
