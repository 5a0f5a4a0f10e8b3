// The frame loop every scene runs in.
//
// A scene is a type with static members only, never instantiated, that supplies:
//   enter()    resets the scene's own state; runs once, after buffer is cleared.
//              Sets its key latches true (latch()), so a key still held from
//              the previous scene does nothing until it has been seen up.
//   running()  true while the scene goes on; tested before every frame, so a
//              scene that is over right after enter() draws nothing.
//   latch()    sets the scene's key latches as at its start; enter() calls it,
//              and so does the loop when the window gets the focus back,
//              since a key still held then comes back as a new press.
//   tick()     one 1/30 s step of logic; the only place game state changes.
//              Reads keys from key[] at the moment of each test, and the
//              pads as the last poll, just before the tick, left them.
//   look()     a number that changes whenever what draw() paints does (see
//              look_of() in draw.h), built from the same values draw() reads.
//   draw()     paints the whole frame into buffer; never changes game state.
//
// Every tick that fell due runs before the frame is drawn, however many there
// are, including ticks that fall due while earlier ones run. Only ticks change
// what draw() paints, so a frame is drawn and shown only when it differs from
// the one on screen: the scene's first, any whose look a tick changed, and the
// same one again when the screen no longer shows it (a toggle, a resize). A
// still menu or picture thus costs no drawing at all, which is most of what
// the game does at rest. A pass that ran no tick sleeps until the timer wakes
// it for the next one, but never longer than the music stream can wait for
// its next poll.
#pragma once

#include "audio/audio.h"
#include "core/draw.h"
#include "core/startup.h"
#include "platform/display.h"
#include "platform/focus.h"
#include "platform/follow.h"
#include "platform/pad.h"
#include "platform/platform.h"

#include <allegro.h>

#include <cstdint>
#include <cstdlib>

// The longest rest between two music polls, in microseconds. The stream
// holds 4,096 samples at 11,000 Hz, 372 ms, so polls 20 ms apart, or twice
// that on a busy machine that wakes the game thread late, keep it full with
// room to spare; on a still screen the game thread then wakes about 60 times
// a second (30 ticks and a rest between each two).
const int MUSIC_POLL_US = 20000;

template <class T>
void loop()
{
    clear_to_color(buffer, bgcol);
    T::enter();
    bool shown = false;
    uint64_t shown_look = 0;
    while (T::running()) {
        poll_music();
        // Before the ticks, so that they never read keys the window has just
        // lost or got back without the latches set to match. After a toggle
        // or a resize the screen must be right at once, not a tick later: the
        // frame's new place asks for it again. (An exposed window Allegro
        // repaints itself, from its own copy of the screen.)
        follow_window();
        if (focus_came_back())
            T::latch();
        bool ticked = false;
        while (speed_count > 0) {
            poll_mouse();
            poll_pads();
            T::tick();
            speed_count--;
            ticked = true;
        }
        if (!shown || !screen_shows_frame() || (ticked && T::look() != shown_look)) {
            T::draw();
            show_frame(buffer);
            shown = true;
            shown_look = T::look();
        } else if (!ticked) {
            sleep_until_tick(speed_count, MUSIC_POLL_US);
        }
        if (end_requested())
            exit(0);
    }
}
