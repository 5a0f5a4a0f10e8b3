// The shared scene flags and key latches.
#include "core/state.h"

bool finishedtitle;
bool quit;

bool escpressed;
bool spacepressed;
bool spaceheld;
bool upheld;
bool downheld;
