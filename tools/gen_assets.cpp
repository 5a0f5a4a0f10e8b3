// Writes every data file the game reads into <out>/bmp, <out>/wav and <out>/xm,
// and, when asked, the desktop icon and the window icon built into the game.
// The output is the same, byte for byte, on every run.
#include "art/font.h"
#include "art/icon.h"
#include "art/pictures.h"
#include "art/sprites.h"
#include "art/story.h"
#include "common/output.h"
#include "music/songs.h"
#include "music/sounds.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>

namespace {

void make_dirs()
{
    for (const char *d : {"", "/bmp", "/wav", "/xm"}) {
        std::string path = out + d;
        if (mkdir(path.c_str(), 0755) != 0 && errno != EEXIST) {
            fprintf(stderr, "cannot create %s\n", path.c_str());
            exit(1);
        }
    }
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2 && argc != 3) {
        fprintf(stderr, "usage: %s DATA_DIR [ICON_DIR]\n", argv[0]);
        return 2;
    }
    out = argv[1];
    install_allegro(SYSTEM_NONE, &errno, atexit);
    set_color_depth(32);
    make_dirs();

    font_pcx();
    bg0();
    bg1();
    bg2();
    l2sprites();
    img1();
    img2();
    trolley();
    title_bmp();
    cutscene_0_0();
    cutscene_0_1();
    cutscene_1_0();
    cutscene_2_0();
    cutscene_3_0();
    good_wav();
    bad_wav();
    track_0();
    track_1();
    track_2();
    track_int();
    if (argc == 3) {
        icon_png(argv[2]);
        window_icon(std::string(argv[2]) + "/window-icon.inc");
    }
    return 0;
}
END_OF_MAIN()
