// The shared scene flags and key latch.
#include "core/state.h"

bool finishedtitle;
bool quit;

bool escpressed;
