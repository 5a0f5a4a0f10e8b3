// The title menu: Up/Down move the highlight, Space chooses, Esc leaves at once.
#include "screens/title.h"

#include "audio/audio.h"
#include "core/draw.h"
#include "core/input.h"
#include "core/layout.h"
#include "core/state.h"
#include "core/stripes.h"
#include "data/assets.h"

int endmenutimer;
int TitleLoop::selected;
bool TitleLoop::begin;
bool spaceheld;
bool upheld;
bool downheld;

namespace {

struct MenuItem {
    const char *highlighted;
    const char *plain;
};

const MenuItem items[2] = {
    {" START ", " Start "},
    {" EXIT ", " Exit "},
};

// Up and Down both move the highlight to the other item.
void move_highlight()
{
    TitleLoop::selected = (TitleLoop::selected + 1) % 2;
    playsample(0);
}

} // namespace

void TitleLoop::enter()
{
    endmenutimer = 0;
    quit = false;
    begin = false;
    selected = 0;
    latch();
}

void TitleLoop::latch()
{
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

    if (fresh_press(held_leave(), escpressed))
        quit = true;

    if (fresh_press(held(KEY_UP), upheld))
        move_highlight();
    if (fresh_press(held(KEY_DOWN), downheld))
        move_highlight();

    // Space does not set its own latch: the countdown keeps it from acting again.
    if (!held(KEY_SPACE)) {
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

uint64_t TitleLoop::look()
{
    return look_of(selected, endmenutimer);
}

void TitleLoop::draw()
{
    draw_stripes_under(title);

    if (endmenutimer >= 1 && endmenutimer <= 9)
        return;
    for (int i = 0; i < 2; i++) {
        if (i == selected) {
            if (endmenutimer % 2 == 0)
                textout_ex(buffer, f, items[i].highlighted, MENU_X, MENU_Y[i], bgcol, white);
        } else {
            textout_ex(buffer, f, items[i].plain, MENU_X, MENU_Y[i], textink, textpaper);
        }
    }
}
