// The title menu: Up/Down move the highlight, Space chooses, Esc leaves at once.
#include "screens/title.h"

#include "audio/audio.h"
#include "core/loop.h"
#include "screens/stripes.h"

int endmenutimer;
int TitleLoop::selected;
bool TitleLoop::begin;

namespace {

struct MenuItem {
    int y;
    const char *highlighted;
    const char *plain;
};

const MenuItem items[2] = {
    {420, " START ", " Start "},
    {440, " EXIT ", " Exit "},
};

} // namespace

void TitleLoop::enter()
{
    endmenutimer = 0;
    quit = false;
    begin = false;
    selected = 0;
    upheld = true;
    downheld = true;
    spaceheld = true;
    escpressed = true;
}

bool TitleLoop::running()
{
    return (!quit && !begin) || endmenutimer != 0;
}

void TitleLoop::tick()
{
    if (endmenutimer > 0) {
        endmenutimer--;   // input stays closed while the choice blinks
        return;
    }

    if (key[KEY_ESC] && !escpressed)
        quit = true;
    escpressed = key[KEY_ESC] != 0;

    if (!key[KEY_UP]) {
        upheld = false;
    } else if (!upheld) {
        upheld = true;
        selected = (selected + 1) % 2;
        playsample(0);
    }

    if (!key[KEY_DOWN]) {
        downheld = false;
    } else if (!downheld) {
        downheld = true;
        selected = (selected + 1) % 2;
        playsample(0);
    }

    // Space does not set its own latch: the countdown keeps it from acting again.
    if (!key[KEY_SPACE]) {
        spaceheld = false;
    } else if (!spaceheld) {
        playsample(0);
        if (selected == 0)
            begin = true;
        else
            quit = true;
        endmenutimer = 40;
    }
}

void TitleLoop::draw()
{
    draw_stripes_under(title);

    if (endmenutimer >= 1 && endmenutimer <= 9)
        return;
    for (int i = 0; i < 2; i++) {
        if (i == selected) {
            if (endmenutimer % 2 == 0)
                textout_ex(buffer, f, items[i].highlighted, 310, items[i].y, bgcol, makecol(255, 255, 255));
        } else {
            textout_ex(buffer, f, items[i].plain, 310, items[i].y, makecol(170, 211, 58), makecol(211, 140, 58));
        }
    }
}
