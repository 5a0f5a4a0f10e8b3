// Level three: the trolley rolls 3 pixels a tick while Right is held.
#include "levels/level_three.h"

#include "core/draw.h"
#include "core/input.h"
#include "core/state.h"
#include "data/assets.h"

int xpos;

void LevelLoop<2>::enter()
{
    start_level();
    xpos = -128;
}

bool LevelLoop<2>::running()
{
    return !quit && !finishedtitle;
}

void LevelLoop<2>::tick()
{
    level_esc();

    if (held(KEY_RIGHT))
        xpos = static_cast<int>(static_cast<float>(xpos) + 3.0f);
    if (xpos > 650)
        finishedtitle = true;
}

uint64_t LevelLoop<2>::look()
{
    return look_of(xpos);
}

void LevelLoop<2>::draw()
{
    // Black shows only around a background that is missing or smaller than
    // the frame; a full one covers it, and clearing first would cost a pass.
    if (!bg[2] || bg[2]->w < 640 || bg[2]->h < 480)
        clear_to_color(buffer, black);
    blit_image(bg[2], 0, 0, 0, 0, 640, 480);
    masked_image(trolley3, 0, 0, xpos, 279, 190, 122);
}
