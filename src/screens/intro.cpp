// The silent credit screen: ends after 121 ticks, on a left click, on any key
// or on any pad button.
#include "screens/intro.h"

#include "core/draw.h"
#include "core/input.h"
#include "core/startup.h"
#include "core/state.h"
#include "core/stripes.h"
#include "data/assets.h"

int titletimer;

void IntroLoop::enter()
{
    speed_count = 0;   // loading time is not replayed as ticks
    titletimer = 0;
    finishedtitle = false;
}

// Any key, held or new, ends the intro: it has no latch to set.
void IntroLoop::latch() {}

bool IntroLoop::running()
{
    return !quit && !finishedtitle;
}

void IntroLoop::tick()
{
    titletimer++;
    // keypressed() also sees keys typed during loading: the buffer is left as it is.
    if (titletimer > 120 || (mouse_b & 1) || any_press()) {
        position_mouse(400, 200);
        finishedtitle = true;
    }
}

// The credit stands still throughout.
uint64_t IntroLoop::look()
{
    return 0;
}

void IntroLoop::draw()
{
    draw_stripes();
    textout_centre_ex(buffer, f, "holbreck, jorun & pastinel, milo present", 320, 200,
                      textink, textpaper);
}
