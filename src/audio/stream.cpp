// Music through DUMB's stream on Allegro's mixer.
#include "audio/stream.h"

AL_DUH_PLAYER *start_stream(DUH *track)
{
    return al_start_duh(track, STREAM_CHANNELS, 0, 1.0f, STREAM_BLOCK, STREAM_FREQ);
}

void poll_stream(AL_DUH_PLAYER *player)
{
    al_poll_duh(player);
}

void stop_stream(AL_DUH_PLAYER *player)
{
    al_stop_duh(player);
}
