// The silent credit screen the game opens with.
#pragma once

extern int titletimer;   // ticks since the intro started

struct IntroLoop {
    static void enter();
    // Sets the scene's key latches as at its start: from enter(), and from
    // the loop when the window gets the focus back, so that a key still held
    // then needs a fresh press to act.
    static void latch();
    static bool running();
    static void tick();
    static void draw();
};
