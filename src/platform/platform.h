// The game's few needs of the host desktop (X11/Linux), kept apart from the game.
#pragma once

#include <atomic>
#include <ctime>
#include <string>

struct _XDisplay;

// Makes the game's data folder (bmp/, wav/, xm/) the working directory, so
// the game's relative data paths work whatever directory it was started from.
// Looked for, in this order, with <exe> the executable's folder:
//   1. the current directory, when it has bmp/, wav/ and xm/ (the player's
//      own copy, taken even when incomplete: what is missing is named as it
//      loads);
// and then, where only a folder holding the font, bmp/font.pcx, counts:
//   2. <exe>/../share/games/nannyday when <exe> is named games (the games
//      layout), else <exe>/../share/nannyday;
//   3. the other of those two;
//   4. <exe>/../data (the source tree, built in a folder of its own);
//   5. <exe>/data.
// Returns false, leaving the directory alone, when none holds the data.
bool enter_data_folder();
// The same search from another executable's folder.
bool enter_data_folder(const std::string &exe_dir);

// No host mouse pointer may show over the game for the rest of the run.
void hide_host_pointer();

// The window's close button asks the game to end, as Exit does. The request
// is only recorded here; the game thread acts on it between frames.
void watch_close_button();

// A desktop session ends its programs with SIGTERM or SIGHUP, a terminal with
// SIGINT: each asks the game to end as the close button does; a second one
// ends the process at once (status 128 + the signal). A signal the game was
// started ignoring (under nohup, as a shell's background job) stays ignored.
// A lost X connection ends the process at once with a line on stderr and
// status 1: the game writes no files, so nothing is lost by not unwinding. hold_end_signals()
// goes before the library starts, so that no thread the library makes ever
// takes these signals and its own handlers never see them;
// watch_end_signals() after it, to put the game's handlers in their place.
void hold_end_signals();
void watch_end_signals();

// The close button was pressed or an ending signal came.
bool end_requested();

// The game thread's rest while no tick is due: returns when count is no
// longer 0 (the timer wakes it at once) or after at most max_us
// microseconds, whichever is first.
void sleep_until_tick(std::atomic<int> &count, int max_us);
// Wakes the game thread from sleep_until_tick(); the timer calls it after
// each tick it adds. Safe on any thread, takes no lock.
void wake_for_tick(std::atomic<int> &count);

// Nanoseconds since t on the monotonic clock.
long ns_since(const timespec &t);

// Whether the X server has sent something this connection has not yet
// handled: in Xlib's queue or still on the socket. Costs no round trip.
bool x_input_waiting(_XDisplay *d);
