// The sound effects' WAV files: their check, and their decoder into a sample.
#include "data/wav.h"

#include "data/bytes.h"
#include "data/file.h"

#include <cstring>

// Allegro walks the chunks after "RIFF", size, "WAVE" to the end of the file,
// decodes "data" with the last "fmt " seen and does not skip pad bytes; every
// chunk is held to lie wholly inside the file, and the sound data to hold
// whole samples, so that Allegro walks the chunks as this check does.
const char *check_wav(const unsigned char *d, size_t n)
{
    if (n < 12 || memcmp(d, "RIFF", 4) != 0 || memcmp(d + 8, "WAVE", 4) != 0)
        return "not a WAV sound";
    bool have_fmt = false, have_data = false;
    uint32_t channels = 0, bits = 0;
    size_t p = 12;
    // Fewer than 4 bytes at the end (the pad byte after an odd-length last
    // chunk) make Allegro stop reading, as it does at the end of the file.
    while (n - p >= 4) {
        if (n - p < 8)
            return "truncated WAV chunk";
        uint32_t len = u32(d + p + 4);
        const unsigned char *body = d + p + 8;
        if (len > n - p - 8)
            return "truncated WAV chunk";
        if (memcmp(d + p, "fmt ", 4) == 0) {
            if (len < 16)
                return "short WAV format chunk";
            uint32_t rate = u32(body + 4);
            channels = u16(body + 2);
            bits = u16(body + 14);
            if (u16(body) == 3)
                return "WAV of floating-point samples, not 8- or 16-bit PCM";
            if (u16(body) != 1)
                return "WAV not plain PCM (extensible or compressed)";
            if (channels != 1 && channels != 2)
                return "WAV neither mono nor stereo";
            if (bits != 8 && bits != 16)
                return "WAV samples neither 8 nor 16 bits";
            // The mixer never moves on through a sound of rate 0, and keeps
            // the rate in 20 bits.
            if (rate == 0)
                return "WAV sample rate of 0";
            if (rate >= 1u << 19)
                return "WAV sample rate too high for the mixer";
            have_fmt = true;
        } else if (memcmp(d + p, "data", 4) == 0) {
            if (!have_fmt)
                return "WAV data before its format";
            if (have_data)
                return "WAV with two sound data chunks";   // Allegro would leak the first
            if (len < channels * bits / 8)
                return "WAV holds no sound";
            // Allegro reads 16-bit data in whole samples only: a part-sample
            // left over would be read as the next chunk's header (a second
            // "data" there made it leak the first). The format has no part
            // samples at any depth, so none is taken.
            if (len % (channels * bits / 8) != 0)
                return "WAV sound data not a whole number of samples";
            have_data = true;
        }
        p += 8 + len;
    }
    if (!have_data)
        return "WAV holds no sound";
    return nullptr;
}

SAMPLE *effect_from_bytes(const std::vector<unsigned char> &bytes, const char **why)
{
    *why = check_wav(bytes.data(), bytes.size());
    if (*why)
        return nullptr;
    // What load_sample() does for a .wav.
    return read_from_memory(bytes, load_wav_pf, "not a readable WAV sound", why);
}
