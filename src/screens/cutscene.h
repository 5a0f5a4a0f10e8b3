// The picture cutscenes between the levels, paged with Space or Esc.
#pragma once

#include <cstdint>

extern int cutscenepos;   // picture on show
extern bool spacepressed;   // the latch of Space and Esc, which act alike here

template <int N>
struct CutsceneLoop {
    static void enter();
    static void latch();
    static bool running();
    static void tick();
    static uint64_t look();
    static void draw();
};
