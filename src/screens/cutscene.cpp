// The picture cutscenes: Space or Esc turns to the next picture, past the last ends.
#include "screens/cutscene.h"

#include "core/draw.h"
#include "core/input.h"
#include "core/startup.h"
#include "core/state.h"
#include "data/assets.h"

int cutscenepos;
bool spacepressed;

template <int N>
void CutsceneLoop<N>::enter()
{
    cutscenepos = 0;
    latch();
    speed_count = 0;
    finishedtitle = false;
}

template <int N>
void CutsceneLoop<N>::latch()
{
    spacepressed = true;
}

template <int N>
bool CutsceneLoop<N>::running()
{
    return !quit && !finishedtitle;
}

template <int N>
void CutsceneLoop<N>::tick()
{
    if (fresh_press(held(KEY_SPACE) || held(KEY_ESC), spacepressed)) {
        if (cutscenepos + 1 < imagecount[N])
            cutscenepos++;
        else
            finishedtitle = true;   // the last picture stays on screen
    }
}

template <int N>
uint64_t CutsceneLoop<N>::look()
{
    return look_of(cutscenepos);
}

template <int N>
void CutsceneLoop<N>::draw()
{
    blit_image(scenes[N][cutscenepos], 0, 0, 0, 0, 640, 480);
}

template struct CutsceneLoop<0>;
template struct CutsceneLoop<1>;
template struct CutsceneLoop<2>;
template struct CutsceneLoop<3>;
