// The game's few needs of the host desktop (X11/Linux), kept apart from the game.
#pragma once

#include <atomic>

// Makes the folder holding bmp/, wav/ and xm/ the working directory, so the
// game's relative data paths work whatever directory it was started from.
// Looks in the current directory first, then beside the executable: an
// installed tree (<prefix>/share/nannyday) or the source tree (data/).
// Returns false, leaving the directory alone, when none holds the data.
bool enter_data_folder();

// No host mouse pointer may show over the game for the rest of the run.
void hide_host_pointer();

// The window's close button asks the game to end, as Exit does. The request
// is only recorded here; the game thread acts on it between frames.
void watch_close_button();

// A desktop session ends its programs with SIGTERM or SIGHUP, a terminal with
// SIGINT: each asks the game to end as the close button does; a second one
// ends the process at once (status 128 + the signal). A signal the game was
// started ignoring (under nohup, as a shell's background job) stays ignored. A lost X connection
// ends the process at once with a line on stderr and status 1: the game
// writes no files, so nothing is lost by not unwinding. hold_end_signals()
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
