// The real music stream, watched: every pass's poll reaches the harness's
// frame hook, and the players made and ended are counted, before each call
// goes on to DUMB as in the game.
#include "audio/audio.h"
#include "audio/stream.h"
#include "support/harness.h"

std::vector<std::string> audio_log;
std::vector<int> polled_tracks;
std::function<void()> on_frame;

// Players made and ended, to show that every switch ends the old one.
int players_started;
int players_stopped;

AL_DUH_PLAYER *start_stream(DUH *track)
{
    AL_DUH_PLAYER *p = al_start_duh(track, STREAM_CHANNELS, 0, 1.0f, STREAM_BLOCK, STREAM_FREQ);
    players_started += p != nullptr;
    return p;
}

void poll_stream(AL_DUH_PLAYER *player)
{
    polled_tracks.push_back(player ? 0 : -1);
    if (on_frame)
        on_frame();
    al_poll_duh(player);
}

void stop_stream(AL_DUH_PLAYER *player)
{
    players_stopped += player != nullptr;
    al_stop_duh(player);
}
