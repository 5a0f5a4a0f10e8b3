// Level two: a timed turn of icons, a question, and an answer window that waits for a key.
#include "levels/level_two.h"

#include "audio/audio.h"
#include "core/draw.h"
#include "core/input.h"
#include "core/layout.h"
#include "core/state.h"
#include "data/assets.h"

#include <cstdio>

int states[3];
int leveltimer;
int correct;
int correctstreak;
char scoretxt[128];

namespace {

void set_states(int a, int b, int c)
{
    states[0] = a;
    states[1] = b;
    states[2] = c;
}

// answer: 0 Up, 1 Down; the third icon shows it as 1 or -1.
void answer(int given)
{
    if (given == correct) {
        playsample(0);
        correctstreak++;
    } else {
        playsample(1);
        correctstreak = 0;
    }
    leveltimer = 120;
    states[2] = given == 0 ? 1 : -1;
}

} // namespace

void LevelLoop<1>::enter()
{
    start_level();
    set_states(0, 0, 0);
    leveltimer = 0;
    correctstreak = 0;
}

bool LevelLoop<1>::running()
{
    return !quit && !finishedtitle;
}

void LevelLoop<1>::tick()
{
    level_esc();

    switch (++leveltimer) {
    case 0:
        set_states(-1, 0, 0);
        break;
    case 30:
        set_states(0, 0, 0);
        break;
    case 60:
        set_states(-1, 0, 0);
        break;
    case 90:
        correct = 1 - correct;
        set_states(-1, correct == 1 ? 1 : -1, 0);
        break;
    case 120:
        // The window holds the timer at 119 until a key is down; Up wins a tie.
        leveltimer = 119;
        if (held(KEY_UP))
            answer(0);
        else if (held(KEY_DOWN))
            answer(1);
        break;
    case 150:
        leveltimer = correctstreak == 5 ? 151 : -1;
        break;
    case 180:
        finishedtitle = true;
        break;
    default:
        break;
    }
}

uint64_t LevelLoop<1>::look()
{
    return look_of(states[0], states[1], states[2], correctstreak);
}

void LevelLoop<1>::draw()
{
    blit_image(bg[1], 0, 0, 0, 0, 640, 480);
    snprintf(scoretxt, sizeof scoretxt, "%d/5", correctstreak);
    textout_ex(buffer, f, scoretxt, 10, 10, textink, textpaper);
    for (int i = 0; i < 3; i++)
        masked_image(l2sprites, CARD_SIZE * i, CARD_SIZE * (states[i] + 1), CARD_LEFT + CARD_STEP * i, CARD_TOP,
                     CARD_SIZE, CARD_SIZE);
}
