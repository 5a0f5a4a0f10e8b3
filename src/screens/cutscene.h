// The picture cutscenes between the levels, paged with Space or Esc.
#pragma once

extern int cutscenepos;   // picture on show
extern bool spacepressed;   // the latch of Space and Esc, which act alike here

template <int N>
struct CutsceneLoop {
    static void enter();
    // Sets the scene's key latches as at its start: from enter(), and from
    // the loop when the window gets the focus back, so that a key still held
    // then needs a fresh press to act.
    static void latch();
    static bool running();
    static void tick();
    static void draw();
};
