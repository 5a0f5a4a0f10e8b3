// The fixed order of scenes and the music started before each.
#include "game/sequence.h"

#include "audio/audio.h"
#include "core/loop.h"
#include "core/state.h"
#include "levels/level_one.h"
#include "levels/level_three.h"
#include "levels/level_two.h"
#include "screens/cutscene.h"
#include "screens/intro.h"
#include "screens/title.h"

namespace {

// One run from cutscene 0 to cutscene 3; returns early when a scene quits.
void run()
{
    badmusic();
    loop<CutsceneLoop<0>>();
    if (quit)
        return;
    playmusic(0);
    loop<LevelLoop<0>>();
    if (quit)
        return;
    badmusic();
    loop<CutsceneLoop<1>>();
    if (quit)
        return;
    playmusic(1);
    loop<LevelLoop<1>>();
    if (quit)
        return;
    badmusic();
    loop<CutsceneLoop<2>>();
    if (quit)
        return;
    playmusic(2);
    loop<LevelLoop<2>>();
    if (quit)
        return;
    badmusic();
    loop<CutsceneLoop<3>>();
}

} // namespace

int run_sequence()
{
    loop<IntroLoop>();
    for (;;) {
        badmusic();
        loop<TitleLoop>();
        if (quit)
            return 0;
        run();
        quit = false;
        finishedtitle = false;
        TitleLoop::begin = false;
    }
}
