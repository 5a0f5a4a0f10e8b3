// The title menu: Start or Exit.
#pragma once

#include <cstdint>

extern int endmenutimer;   // ticks left of the closing countdown; 0 while taking input

// The menu's own edge latches (Esc's is shared with the levels).
extern bool spaceheld;
extern bool upheld;
extern bool downheld;

struct TitleLoop {
    static int selected;   // 0 Start, 1 Exit
    static bool begin;     // Start was chosen

    static void enter();
    static void latch();
    static bool running();
    static void tick();
    static uint64_t look();
    static void draw();
};
