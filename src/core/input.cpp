// The keys the scenes read.
#include "core/input.h"

#include <allegro.h>

bool held(int scancode)
{
    return key[scancode] != 0;
}

bool held_leave()
{
    return key[KEY_ESC] != 0;
}

bool fresh_press(bool down, bool &latch)
{
    bool fresh = down && !latch;
    latch = down;
    return fresh;
}
