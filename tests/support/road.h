// A scripted player for the whole road of a run through run_sequence():
// intro, title (Start), every cutscene, all three levels won, title (Exit).
#pragma once

#include <allegro.h>

#include <cstdint>
#include <string>
#include <vector>

struct RoadResult {
    int status = -1;                  // what run_sequence() returned
    std::vector<std::string> scenes;  // scene names in the order they ran
    int frames = 0;
    long ticks = 0;
    uint64_t hash = 0;                // of every frame copied to the screen and the state after every frame
    std::string failure;              // empty when the road went as planned
};

// Plays one road from the intro to the program's end, frame by frame through
// on_frame. Level two is answered wrongly once, so each play asks an even
// number of questions and the next play starts from the same state.
RoadResult play_road();

// The road every play is expected to take.
extern const std::vector<std::string> whole_road;

// 64-bit hash of a 32-bit bitmap's pixels, mixed into h.
uint64_t hash_bitmap(uint64_t h, BITMAP *bmp);
