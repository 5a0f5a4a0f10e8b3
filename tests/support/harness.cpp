// Headless Allegro set-up and per-test resets.
#include "support/harness.h"

#include "screens/cutscene.h"
#include "screens/title.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

void start_headless()
{
    static bool started = false;
    if (started)
        return;
    started = true;
    install_allegro(SYSTEM_NONE, &errno, atexit);
    // The X11 driver's layout; under SYSTEM_NONE red and blue are swapped.
    _rgb_r_shift_32 = 16;
    _rgb_g_shift_32 = 8;
    _rgb_b_shift_32 = 0;
    _rgb_a_shift_32 = 24;
    set_color_depth(32);
    make_colours();
    buffer = create_bitmap(640, 480);
    screen = create_bitmap(640, 480);
}

std::string data_dir()
{
    return NANNYDAY_DATA_DIR;
}

void load_game_data()
{
    static bool loaded = false;
    start_headless();
    if (loaded)
        return;
    loaded = true;
    char here[4096];
    if (!getcwd(here, sizeof here) || chdir(data_dir().c_str()) != 0)
        FAIL() << "cannot enter " << data_dir();
    load_images();
    if (chdir(here) != 0)
        FAIL() << "cannot return to " << here;
}

void Headless::SetUp()
{
    start_headless();
    release_all_keys();
    clear_keybuf();
    speed_count = 0;
    finishedtitle = quit = false;
    TitleLoop::begin = false;
    escpressed = spacepressed = spaceheld = upheld = downheld = false;
    audio_log.clear();
    polled_tracks.clear();
    on_frame = nullptr;
    repaint_frame();
    stopmusic();
    audio_log.clear();
}

void Headless::TearDown()
{
    on_frame = nullptr;
    release_all_keys();
}

void SavedPictures::save()
{
    for (int i = 0; i < picture_count; i++)
        pictures_[i] = *pictures[i].slot;
    f_ = f;
}

void SavedPictures::restore()
{
    // Freed, so that leak checks see only the game's own.
    for (int i = 0; i < picture_count; i++) {
        BITMAP *&now = *pictures[i].slot;
        if (now && now != pictures_[i])
            destroy_bitmap(now);
        now = pictures_[i];
    }
    if (f && f != f_)
        destroy_font(f);
    f = f_;
}

void press(int scancode)
{
    key[scancode] = -1;   // what Allegro stores for a held key
}

void release(int scancode)
{
    key[scancode] = 0;
}

void release_all_keys()
{
    for (int i = 0; i < KEY_MAX; i++)
        key[i] = 0;
}

int rgb_at(BITMAP *bmp, int x, int y)
{
    int c = getpixel(bmp, x, y);
    return (getr32(c) << 16) | (getg32(c) << 8) | getb32(c);
}
