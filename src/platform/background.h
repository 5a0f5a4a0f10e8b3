// The library's background thread, in the game's own hands: it rests until its work is due.
#pragma once

#include <allegro.h>
#include <allegro/internal/aintern.h>
#include <allegro/platform/aintunix.h>

// Allegro's X11 driver runs its input handler (and any other registered
// background work) every 10 ms on a thread of the platform's. Its own
// thread looks at the clock every millisecond to find the 10 ms due, so it
// wakes a thousand times a second to do nothing nine times in ten. This one
// keeps the same contract and sleeps until the next 10 ms instead:
//   - registered functions run in turn, every 10 ms, on one thread that has
//     every signal blocked, with a nonzero argument (they run on a thread);
//   - disable_interrupts() waits for a round of them to end and holds off
//     the next until as many enable_interrupts() have come (nesting counts);
//   - a thread held off the processor for longer does not make the missed
//     rounds up in a burst: it runs one, then keeps 10 ms from there.
extern bg_manager own_background;

// Puts own_background in the place of the library's pthreads manager. Goes
// before allegro_init(), which starts the manager and registers the input
// handler with it.
void use_own_background();

// Lets the library's X input handler skip its rounds that would only make a
// round trip to the server: it runs when the server sent something, after a
// frame went out (frame_sent()), and ten times a second regardless. Goes
// after allegro_init().
void watch_x_input();
void frame_sent();
