// Sound effects and module music: loaded once, played on request.
#pragma once

#include <allegro.h>
#include <aldumb.h>

extern SAMPLE *sample[4];      // 0: good, 1: bad; 2 and 3 unused
extern DUH *music[4];          // tracks 0..3; 3 is the menu and cutscene theme
extern AL_DUH_PLAYER *dplay;   // the playing track, or null for silence

// The files of sample[] and music[], in the order start-up reads them.
extern const char *const effect_files[2];
extern const char *const track_files[4];

// Installs the sound driver and loads both effects and all four tracks.
void init_sound();
// Feeds the playing track's stream; the frame loop calls it on every pass.
void poll_music();
void playsample(int index);
void stopmusic();
void playmusic(int track);
void badmusic();
