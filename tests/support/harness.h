// Headless test harness: Allegro without a system driver, memory bitmaps for
// buffer and screen, key[] written by the test, speed_count driven by the test,
// and a recording stand-in for the audio module.
#pragma once

#include "core/draw.h"
#include "core/loop.h"
#include "core/state.h"
#include "data/assets.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

// Starts Allegro headless at depth 32 with the X11 pixel layout, so colours
// compare as they would on screen. Safe to call more than once.
void start_headless();

// The repository's data folder (bmp/, wav/, xm/).
std::string data_dir();

// Loads the game's own pictures and font once per process, as start-up does.
void load_game_data();

// What the game asked of the audio module, in order: "sample N", "music N", "stop".
extern std::vector<std::string> audio_log;
// The track playing at each frame's music poll (-1: none), one entry per frame.
extern std::vector<int> polled_tracks;
// Called at every frame's music poll, before the frame's ticks: the place for
// a test to press keys, add pending ticks or end a scene.
extern std::function<void()> on_frame;

// Fresh keys, flags, latches, tick count and audio log for every test.
class Headless : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
};

// The process-wide pictures and font, kept aside by a test that loads its own
// and put back afterwards; what the test loaded in their place is freed.
class SavedPictures {
public:
    void save();
    void restore();

private:
    BITMAP *pictures_[picture_count];
    FONT *f_;
};

void press(int scancode);
void release(int scancode);
void release_all_keys();

// Runs n ticks of scene T the way the frame loop does (poll_mouse, tick).
template <class T>
void run_ticks(int n)
{
    for (int i = 0; i < n; i++) {
        poll_mouse();
        T::tick();
    }
}

// A pixel of a 32-bit bitmap as 0xRRGGBB.
int rgb_at(BITMAP *bmp, int x, int y);
