// libFuzzer target for one of the game's guarded loaders, chosen by FUZZ_KIND:
// the bytes go through the same checks and decoders as start-up, and what
// loads is used the way the scenes and the music player use it.
#include "audio/audio.h"
#include "data/assets.h"
#include "data/bmp.h"
#include "data/file.h"
#include "data/pcx.h"
#include "data/wav.h"
#include "data/xm.h"

#include <allegro.h>
#include <aldumb.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

#define FUZZ_BMP 0
#define FUZZ_PCX 1
#define FUZZ_WAV 2
#define FUZZ_XM 3

namespace {

BITMAP *frame;

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    install_allegro(SYSTEM_NONE, &errno, atexit);
    set_color_depth(32);
    frame = create_bitmap(640, 480);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size)
{
    std::vector<unsigned char> bytes(data, data + size);
    const char *why = nullptr;
#if FUZZ_KIND == FUZZ_BMP
    if (BITMAP *b = image_from_bytes(bytes, &why)) {
        // As the scenes draw: whole-frame blits and sheet cells at offsets.
        blit(b, frame, 0, 0, 0, 0, 640, 480);
        masked_blit(b, frame, 0, 0, 0, 0, 640, 480);
        masked_blit(b, frame, 256, 256, 381, 153, 128, 128);
        masked_blit(b, frame, 0, 0, -128, 279, 190, 122);
        destroy_bitmap(b);
    }
#elif FUZZ_KIND == FUZZ_PCX
    if (FONT *font = font_from_bytes(bytes, &why)) {
        textout_centre_ex(frame, font, "holbreck, jorun & pastinel, milo present", 320, 200,
                          makecol(170, 211, 58), makecol(211, 140, 58));
        textout_ex(frame, font, " START ~\x7f", 310, 420, 0, -1);
        destroy_font(font);
    }
#elif FUZZ_KIND == FUZZ_WAV
    if (SAMPLE *s = effect_from_bytes(bytes, &why))
        destroy_sample(s);
#elif FUZZ_KIND == FUZZ_XM
    if (DUH *duh = track_from_bytes(bytes, &why)) {
        // As al_start_duh and al_poll_duh render it: stereo at 11000 Hz.
        static short out[2 * 4096];
        if (DUH_SIGRENDERER *r = duh_start_sigrenderer(duh, 0, 2, 0)) {
            for (int i = 0; i < 4; i++)
                duh_render(r, 16, 0, 1.0f, 65536.0f / 11000.0f, 4096, out);
            duh_end_sigrenderer(r);
        }
        unload_duh(duh);
    }
#else
#error FUZZ_KIND must name a loader
#endif
    return 0;
}
