// The real audio module with the harness's frame hook: every call the game
// makes to al_poll_duh() is linked here (--wrap) and goes on to DUMB's own.
#include "audio/audio.h"
#include "support/harness.h"

std::vector<std::string> audio_log;
std::vector<int> polled_tracks;
std::function<void()> on_frame;

extern "C" int __real_al_poll_duh(AL_DUH_PLAYER *dp);

extern "C" int __wrap_al_poll_duh(AL_DUH_PLAYER *dp)
{
    polled_tracks.push_back(dp ? 0 : -1);
    if (on_frame)
        on_frame();
    return __real_al_poll_duh(dp);
}

// Players made and ended, to show that every switch ends the old one.
int players_started;
int players_stopped;

extern "C" AL_DUH_PLAYER *__real_al_start_duh(DUH *duh, int n_channels, long pos, float volume,
                                              long bufsize, int freq);
extern "C" void __real_al_stop_duh(AL_DUH_PLAYER *dp);

extern "C" AL_DUH_PLAYER *__wrap_al_start_duh(DUH *duh, int n_channels, long pos, float volume,
                                              long bufsize, int freq)
{
    AL_DUH_PLAYER *p = __real_al_start_duh(duh, n_channels, pos, volume, bufsize, freq);
    players_started += p != nullptr;
    return p;
}

extern "C" void __wrap_al_stop_duh(AL_DUH_PLAYER *dp)
{
    players_stopped += dp != nullptr;
    __real_al_stop_duh(dp);
}
