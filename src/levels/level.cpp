// What the three levels share: their start and their Esc.
#include "levels/level.h"

#include "core/input.h"
#include "core/state.h"

#include <allegro.h>

void start_level()
{
    quit = false;
    finishedtitle = false;
    latch_level();
}

void latch_level()
{
    escpressed = true;
}

void level_esc()
{
    if (!held(KEY_ESC))
        escpressed = false;
    else if (!escpressed)
        quit = true;
}
