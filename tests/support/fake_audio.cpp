// Stands in for the audio module in logic tests: records what the game asks for.
#include "audio/audio.h"
#include "support/harness.h"

SAMPLE *sample[4];
DUH *music[4];
AL_DUH_PLAYER *dplay;

std::vector<std::string> audio_log;
std::vector<int> polled_tracks;
std::function<void()> on_frame;

namespace {

// Distinct addresses stand for the players of tracks 0..3.
char players[4];

int playing_track()
{
    for (int t = 0; t < 4; t++)
        if (dplay == reinterpret_cast<AL_DUH_PLAYER *>(&players[t]))
            return t;
    return -1;
}

} // namespace

void init_sound()
{
    audio_log.push_back("init_sound");
}

void playsample(int index)
{
    audio_log.push_back("sample " + std::to_string(index));
}

void stopmusic()
{
    if (dplay)
        audio_log.push_back("stop");
    dplay = nullptr;
}

void playmusic(int track)
{
    dplay = reinterpret_cast<AL_DUH_PLAYER *>(&players[track]);
    audio_log.push_back("music " + std::to_string(track));
}

void badmusic()
{
    playmusic(3);
}

void poll_music()
{
    polled_tracks.push_back(dplay ? playing_track() : -1);
    if (on_frame)
        on_frame();
}
