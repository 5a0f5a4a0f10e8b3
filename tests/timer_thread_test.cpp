// The frame loop against a real 30 Hz timer thread: no tick lost or run twice.
#include "support/harness.h"

#include "levels/level_three.h"

#include <chrono>
#include <thread>

// The timer thread calls the game's own increment_speed_counter(), as
// Allegro's would; the game thread runs level three, holding Right, until
// two seconds of ticks have rolled the trolley. Every tick made is either
// run (3 pixels each) or still pending. Run under ThreadSanitizer, this also
// shows that speed_count is the only thing the two threads share.
TEST_F(Headless, RealTimerThreadTicksAreAllRunOrPending)
{
    load_game_data();
    std::atomic<bool> stop{false};
    std::atomic<long> made{0};
    std::thread timer([&] {
        auto next = std::chrono::steady_clock::now();
        while (!stop) {
            next += std::chrono::microseconds(33333);
            std::this_thread::sleep_until(next);
            increment_speed_counter();
            made++;
        }
    });

    press(KEY_RIGHT);
    long frames = 0;
    on_frame = [&frames] {
        frames++;
        if (xpos >= -128 + 3 * 60)
            finishedtitle = true;   // ends the scene after this frame
    };
    loop<LevelLoop<2>>();
    stop = true;
    timer.join();

    long run = (xpos + 128) / 3;
    EXPECT_EQ(made.load(), run + speed_count.load());
    EXPECT_GE(run, 60);
    EXPECT_GT(frames, run) << "the loop spins between ticks";
}
