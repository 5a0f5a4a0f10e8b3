// Sound effects through Allegro's sample player, music through DUMB's stream.
#include "audio/audio.h"

#include "audio/stream.h"

#include "data/file.h"
#include "data/wav.h"
#include "data/xm.h"

#include <cstdlib>

SAMPLE *sample[4];
DUH *music[4];
AL_DUH_PLAYER *dplay;

const char *const effect_files[2] = {"wav/good.wav", "wav/bad.wav"};
const char *const track_files[4] = {"xm/0.xm", "xm/1.xm", "xm/2.xm", "xm/int.xm"};

void init_sound()
{
    if (install_sound(DIGI_AUTODETECT, MIDI_NONE, nullptr) != 0)
        allegro_message("Error initialising sound system\n%s\n", allegro_error);
    atexit(dumb_exit);
    set_mixer_quality(2);
    dumb_register_stdfiles();
    for (int i = 0; i < 2; i++)
        sample[i] = load_checked(effect_files[i], effect_from_bytes);
    for (int i = 0; i < 4; i++)
        music[i] = load_checked(track_files[i], track_from_bytes);
}

void poll_music()
{
    // Called with no track too: the poll is where the frame loop's tests and
    // probes see each of its passes.
    poll_stream(dplay);
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
        stop_stream(dplay);
        dplay = nullptr;
    }
}

void playmusic(int track)
{
    // Always from the top, even when this track is already playing.
    stopmusic();
    dplay = start_stream(music[track]);
}

void badmusic()
{
    playmusic(3);
}
