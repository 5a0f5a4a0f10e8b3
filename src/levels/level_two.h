// Level two: answer the middle icon with Up or Down, five right in a row.
#pragma once

#include "levels/level.h"

#include <cstdint>

extern int states[3];       // picture state of each icon: -1, 0 or 1
extern int leveltimer;      // ticks into the current turn; -1 between turns
extern int correct;         // right key this turn: 0 Up, 1 Down; kept across plays
extern int correctstreak;   // right answers in a row, 0..5
extern char scoretxt[128];

template <>
struct LevelLoop<1> {
    static void enter();
    static void latch() { latch_level(); }
    static bool running();
    static void tick();
    static uint64_t look();
    static void draw();
};
