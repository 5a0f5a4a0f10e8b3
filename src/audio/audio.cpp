// Sound effects through Allegro's sample player, music through DUMB's stream.
#include "audio/audio.h"

#include "core/resources.h"

#include <cstdlib>

SAMPLE *sample[4];
DUH *music[4];
AL_DUH_PLAYER *dplay;

namespace {

SAMPLE *load_effect(const char *path)
{
    SAMPLE *s = load_sample(path);
    if (!s)
        warn_unloadable(path);
    return s;
}

DUH *load_track(const char *path)
{
    DUH *d = dumb_load_xm_quick(path);
    if (!d)
        warn_unloadable(path);
    return d;
}

} // namespace

void init_sound()
{
    if (install_sound(DIGI_AUTODETECT, MIDI_NONE, nullptr) != 0)
        allegro_message("Error initialising sound system\n%s\n", allegro_error);
    atexit(dumb_exit);
    set_mixer_quality(2);
    dumb_register_stdfiles();
    sample[0] = load_effect("wav/good.wav");
    sample[1] = load_effect("wav/bad.wav");
    music[0] = load_track("xm/0.xm");
    music[1] = load_track("xm/1.xm");
    music[2] = load_track("xm/2.xm");
    music[3] = load_track("xm/int.xm");
}

void playsample(int index)
{
    // Allegro crashes on a null sample; a missing effect is simply not heard.
    if (sample[index])
        play_sample(sample[index], 255, 128, 1000, 0);
}

void stopmusic()
{
    if (dplay) {
        al_stop_duh(dplay);
        dplay = nullptr;
    }
}

void playmusic(int track)
{
    // Always from the top, even when this track is already playing.
    stopmusic();
    dplay = al_start_duh(music[track], 2, 0, 1.0f, 4096, 11000);
}

void badmusic()
{
    playmusic(3);
}
