// The silent credit screen the game opens with.
#pragma once

extern int titletimer;   // ticks since the intro started

struct IntroLoop {
    static void enter();
    static void latch();
    static bool running();
    static void tick();
    static void draw();
};
