// The silent credit screen the game opens with.
#pragma once

#include <cstdint>

extern int titletimer;   // ticks since the intro started

struct IntroLoop {
    static void enter();
    static void latch();
    static bool running();
    static void tick();
    static uint64_t look();
    static void draw();
};
