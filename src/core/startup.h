// Start-up: the library, input, the 30 Hz tick counter, the screen and the data.
#pragma once

#include <atomic>

// Ticks due and not yet run. The timer thread adds, the game thread takes;
// nothing else is shared between them.
extern std::atomic<int> speed_count;

void increment_speed_counter();
void init();
