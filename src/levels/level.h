// The three playable levels are LevelLoop<0>, <1> and <2>, one file pair each.
#pragma once

template <int N>
struct LevelLoop;

// What every level's enter() does first: clear the outcome flags and latch
// Esc, so the press that ended the previous scene cannot end this one.
void start_level();

// Every level's latch(): Esc counts as held until it is seen up.
void latch_level();

// Esc, the same in every level: quits on a press that began in this level.
// The acting tick leaves the latch clear and goes on.
void level_esc();
