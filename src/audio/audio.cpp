// Sound effects through Allegro's sample player, music through DUMB's stream.
#include "audio/audio.h"

#include "core/filecheck.h"
#include "core/resources.h"

#include <cstdlib>

SAMPLE *sample[4];
DUH *music[4];
AL_DUH_PLAYER *dplay;

SAMPLE *effect_from_bytes(const std::vector<unsigned char> &bytes, const char **why)
{
    *why = check_wav(bytes.data(), bytes.size());
    if (*why)
        return nullptr;
    // What load_sample() does for a .wav.
    return read_from_memory(bytes, load_wav_pf, "not a readable WAV sound", why);
}

DUH *track_from_bytes(const std::vector<unsigned char> &bytes, const char **why)
{
    std::vector<unsigned char> copy;
    const char *repaired;
    *why = check_xm(bytes.data(), bytes.size(), copy, &repaired);
    if (*why)
        return nullptr;
    // What dumb_load_xm_quick() does, from memory. DUMB copies what it keeps.
    const std::vector<unsigned char> &use = copy.empty() ? bytes : copy;
    DUMBFILE *df = dumbfile_open_memory(reinterpret_cast<const char *>(use.data()),
                                        static_cast<long>(use.size()));
    if (!df) {
        *why = "out of memory";
        return nullptr;
    }
    DUH *d = dumb_read_xm_quick(df);
    dumbfile_close(df);
    *why = d ? repaired : "not a readable XM module";
    return d;
}

void init_sound()
{
    if (install_sound(DIGI_AUTODETECT, MIDI_NONE, nullptr) != 0)
        allegro_message("Error initialising sound system\n%s\n", allegro_error);
    atexit(dumb_exit);
    set_mixer_quality(2);
    dumb_register_stdfiles();
    sample[0] = load_checked("wav/good.wav", effect_from_bytes);
    sample[1] = load_checked("wav/bad.wav", effect_from_bytes);
    music[0] = load_checked("xm/0.xm", track_from_bytes);
    music[1] = load_checked("xm/1.xm", track_from_bytes);
    music[2] = load_checked("xm/2.xm", track_from_bytes);
    music[3] = load_checked("xm/int.xm", track_from_bytes);
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
