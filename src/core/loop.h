// The frame loop every scene runs in, and the flags and key latches scenes share.
//
// A scene is a type with static members only, never instantiated, that supplies:
//   enter()    resets the scene's own state; runs once, after buffer is cleared.
//              Sets its key latches true, so a key still held from the previous
//              scene does nothing until it has been seen up.
//   running()  true while the scene goes on; tested before every frame, so a
//              scene that is over right after enter() draws nothing.
//   tick()     one 1/30 s step of logic; the only place game state changes.
//              Reads keys from key[] at the moment of each test.
//   draw()     paints the whole frame into buffer; never changes game state.
//
// Every tick that fell due runs before the frame is drawn, however many there
// are, including ticks that fall due while earlier ones run.
#pragma once

#include "audio/audio.h"
#include "core/resources.h"
#include "core/startup.h"
#include "platform/display.h"
#include "platform/platform.h"

#include <allegro.h>

#include <cstdlib>

// How the running scene ended; the sequence reads only quit.
extern bool finishedtitle;
extern bool quit;

// Edge latches: true while the key counts as already held.
extern bool escpressed;
extern bool spacepressed;   // Space or Esc, in the cutscenes
extern bool spaceheld;
extern bool upheld;
extern bool downheld;

template <class T>
void loop()
{
    clear_to_color(buffer, bgcol);
    T::enter();
    while (T::running()) {
        al_poll_duh(dplay);
        while (speed_count > 0) {
            poll_mouse();
            T::tick();
            speed_count--;
        }
        T::draw();
        show_frame(buffer);
        if (close_requested())
            exit(0);
    }
}
