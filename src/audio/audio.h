// Sound effects and module music: loaded once, played on request.
#pragma once

#include <allegro.h>
#include <aldumb.h>

extern SAMPLE *sample[4];      // 0: good, 1: bad; 2 and 3 unused
extern DUH *music[4];          // tracks 0..3; 3 is the menu and cutscene theme
extern AL_DUH_PLAYER *dplay;   // the playing track, or null for silence

void init_sound();
void playsample(int index);
void stopmusic();
void playmusic(int track);
void badmusic();
