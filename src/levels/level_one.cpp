// Level one: the child flees the nanny in a straight line and creeps along the edges.
#include "levels/level_one.h"

#include "audio/audio.h"
#include "core/draw.h"
#include "core/input.h"
#include "core/state.h"
#include "data/assets.h"

#include <cmath>

Point player;
Point child;
int endtimer;

namespace {

// Where a figure's 32x32 picture goes: its feet are at the bottom middle.
int picture_x(const Point &p)
{
    return static_cast<int>(p.x - 16.0f);
}
int picture_y(const Point &p)
{
    return static_cast<int>(p.y - 32.0f);
}

void clamp(Point &p)
{
    if (p.x < LEFT)
        p.x = LEFT;
    if (p.x > RIGHT)
        p.x = RIGHT;
    if (p.y < TOP)
        p.y = TOP;
    if (p.y > BOTTOM)
        p.y = BOTTOM;
}

} // namespace

void LevelLoop<0>::enter()
{
    start_level();
    player = {358.0f, 261.0f};
    child = {283.0f, 261.0f};
    endtimer = 0;
}

bool LevelLoop<0>::running()
{
    return !quit && !finishedtitle;
}

void LevelLoop<0>::tick()
{
    level_esc();

    if (endtimer > 0) {
        if (--endtimer == 0)
            finishedtitle = true;
        return;   // the won picture stays frozen
    }

    if (held(KEY_UP))
        player.y -= v;
    if (held(KEY_DOWN))
        player.y += v;
    if (held(KEY_LEFT))
        player.x -= v;
    if (held(KEY_RIGHT))
        player.x += v;
    clamp(player);

    // The float sum and the double root are what the level was tuned with: the
    // exact-equality edge tests below depend on these roundings.
    float dx = child.x - player.x;
    float dy = child.y - player.y;
    float dist = static_cast<float>(std::sqrt(static_cast<double>(dx * dx + dy * dy)));
    if (dist != 0.0f) {
        dx /= dist;
        dy /= dist;
    }
    child.y += dy * v;
    child.x += dx * v;
    clamp(child);

    // Along the top and bottom the child creeps right, along the sides down,
    // so it can always be worked into the goal corner.
    if (child.y == BOTTOM || child.y == TOP)
        child.x += 1.0f;
    if (child.x == LEFT || child.x == RIGHT)
        child.y += 1.0f;
    clamp(child);

    if (child.x == RIGHT && child.y == BOTTOM) {
        playsample(0);
        endtimer = 80;
    }
}

uint64_t LevelLoop<0>::look()
{
    return look_of(picture_x(child), picture_y(child), picture_x(player), picture_y(player));
}

void LevelLoop<0>::draw()
{
    blit_image(bg[0], 0, 0, 0, 0, 640, 480);
    masked_image(child1, 0, 0, picture_x(child), picture_y(child), 32, 32);
    masked_image(nanny1, 0, 0, picture_x(player), picture_y(player), 32, 32);
}
