// Start-up in its fixed order; everything it makes lives until the process ends.
#include "core/startup.h"

#include "audio/audio.h"
#include "core/draw.h"
#include "core/layout.h"
#include "data/assets.h"
#include "platform/background.h"
#include "platform/display.h"
#include "platform/pad.h"
#include "platform/platform.h"
#include "platform/window.h"

#include <allegro.h>

#include <cstdio>
#include <cstdlib>

std::atomic<int> speed_count{0};

void increment_speed_counter()
{
    speed_count++;
    wake_for_tick(speed_count);
}

namespace {

// Full screen where the host allows it, else a window; drawing into a
// screen that was never set would be drawing into nothing.
void set_screen_mode()
{
    if (open_screen())
        return;
    fprintf(stderr, "nannyday: cannot set a 640x480 32-bit screen, full screen or windowed: %s\n",
            allegro_error);
    exit(1);
}

} // namespace

void init()
{
    hold_end_signals();
    use_own_background();
    if (allegro_init() != 0) {
        fprintf(stderr, "nannyday: cannot open the X display%s%s; to play without one: "
                        "xvfb-run -s '-screen 0 640x480x24' nannyday\n",
                allegro_error[0] ? ": " : "", allegro_error);
        exit(1);
    }
    watch_end_signals();
    watch_x_input();
    init_sound();
    set_color_depth(32);
    install_keyboard();
    install_mouse();
    install_timer();
    start_pads();
    hide_host_pointer();
    set_alpha_blender();
    install_int_ex(increment_speed_counter, BPS_TO_TIMER(TICRATE));
    set_screen_mode();
    watch_close_button();
    make_colours();
    buffer = create_bitmap(640, 480);
    if (!buffer) {
        fprintf(stderr, "nannyday: out of memory for the 640x480 frame\n");
        exit(1);
    }
    load_images();
}
