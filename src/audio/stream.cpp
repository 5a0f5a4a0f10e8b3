// Music through DUMB's stream on Allegro's mixer.
#include "audio/stream.h"

AL_DUH_PLAYER *start_stream(DUH *track)
{
    // Stereo at 11,000 Hz in 4,096-sample blocks: a block lasts 372 ms, far
    // longer than the frame loop ever waits between polls.
    return al_start_duh(track, 2, 0, 1.0f, 4096, 11000);
}

void poll_stream(AL_DUH_PLAYER *player)
{
    al_poll_duh(player);
}

void stop_stream(AL_DUH_PLAYER *player)
{
    al_stop_duh(player);
}
