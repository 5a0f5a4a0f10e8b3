// Sound effects and module music: loaded once, played on request.
#pragma once

#include <allegro.h>
#include <aldumb.h>

#include <vector>

extern SAMPLE *sample[4];      // 0: good, 1: bad; 2 and 3 unused
extern DUH *music[4];          // tracks 0..3; 3 is the menu and cutscene theme
extern AL_DUH_PLAYER *dplay;   // the playing track, or null for silence

void init_sound();
void playsample(int index);
void stopmusic();
void playmusic(int track);
void badmusic();

// The guarded decoders behind loading: the bytes are checked against their
// format before Allegro or DUMB sees them. Null, with *why set, when they do
// not fit; otherwise *why names what had to be repaired, or is null.
SAMPLE *effect_from_bytes(const std::vector<unsigned char> &bytes, const char **why);
DUH *track_from_bytes(const std::vector<unsigned char> &bytes, const char **why);
