// The picture cutscenes between the levels, paged with Space or Esc.
#pragma once

extern int cutscenepos;   // picture on show

template <int N>
struct CutsceneLoop {
    static void enter();
    static bool running();
    static void tick();
    static void draw();
};
