// What the three levels share: their start and their Esc.
#include "levels/level.h"

#include "core/state.h"

#include <allegro.h>

void start_level()
{
    quit = false;
    finishedtitle = false;
    escpressed = true;
}

void level_esc()
{
    if (!key[KEY_ESC])
        escpressed = false;
    else if (!escpressed)
        quit = true;
}
