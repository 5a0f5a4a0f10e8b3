// The scripted player of the whole road; see road.h.
#include "support/road.h"

#include "support/harness.h"

#include "game/sequence.h"
#include "levels/level_one.h"
#include "levels/level_three.h"
#include "levels/level_two.h"
#include "screens/cutscene.h"
#include "screens/intro.h"
#include "screens/title.h"

#include <cmath>
#include <cstring>

const std::vector<std::string> whole_road = {
    "intro", "title", "cut0", "level0", "cut1", "level1", "cut2", "level2", "cut3", "title",
};

uint64_t hash_bitmap(uint64_t h, BITMAP *bmp)
{
    for (int y = 0; y < bmp->h; y++) {
        const unsigned char *row = bmp->line[y];
        for (int x = 0; x + 8 <= bmp->w * 4; x += 8) {
            uint64_t w;
            memcpy(&w, row + x, 8);
            h = (h ^ w) * 0x100000001b3ull;
        }
    }
    return h;
}

namespace {

uint64_t mix(uint64_t h, uint64_t v)
{
    return (h ^ v) * 0x100000001b3ull + 0x9e3779b97f4a7c15ull;
}

uint64_t float_bits(float f)
{
    uint32_t u;
    memcpy(&u, &f, 4);
    return u;
}

// What the running scene keeps between ticks; the other scenes' leftovers
// from an earlier play are not part of this one.
uint64_t hash_state(uint64_t h, const std::string &scene)
{
    std::vector<int64_t> ints = {quit, finishedtitle, TitleLoop::begin};
    std::vector<float> floats;
    if (scene == "intro")
        ints.push_back(titletimer);
    else if (scene == "title")
        ints.insert(ints.end(), {endmenutimer, TitleLoop::selected});
    else if (scene.compare(0, 3, "cut") == 0)
        ints.push_back(cutscenepos);
    else if (scene == "level0") {
        ints.push_back(endtimer);
        floats = {player.x, player.y, child.x, child.y};
    } else if (scene == "level1")
        ints.insert(ints.end(), {states[0], states[1], states[2], leveltimer, correct, correctstreak});
    else
        ints.push_back(xpos);
    for (int64_t v : ints)
        h = mix(h, static_cast<uint64_t>(v));
    for (float v : floats)
        h = mix(h, float_bits(v));
    return h;
}

enum class Kind { intro, title, cut, level };

Kind kind_of(const std::string &scene)
{
    if (scene == "intro")
        return Kind::intro;
    if (scene == "title")
        return Kind::title;
    return scene.compare(0, 3, "cut") == 0 ? Kind::cut : Kind::level;
}

struct Driver {
    RoadResult result;
    size_t at = 0;     // index into whole_road
    int step = 0;      // frames into the current scene
    int questions = 0; // asked in this play of level two
    bool asking = false;

    void fail(const std::string &why)
    {
        if (result.failure.empty())
            result.failure = why + " (in " + whole_road[at] + ", frame " + std::to_string(step) + ")";
    }

    // Which scene's enter() ran since the last frame, read from the latches
    // that every enter() sets and the running scene does not touch.
    void notice_new_scene()
    {
        Kind now = kind_of(whole_road[at]);
        std::string next;
        if (now == Kind::intro && upheld)
            next = "title";
        else if (now == Kind::title && spacepressed)
            next = "cut";
        else if (now == Kind::cut && upheld)
            next = "title";
        else if (now == Kind::cut && escpressed)
            next = "level";
        else if (now == Kind::level && upheld)
            next = "title";
        else if (now == Kind::level && spacepressed)
            next = "cut";
        if (next.empty())
            return;
        if (at + 1 >= whole_road.size() || whole_road[at + 1].compare(0, next.size(), next) != 0) {
            fail("a " + next + " scene came out of turn");
            return;
        }
        at++;
        step = 0;
        questions = 0;
        asking = false;
        result.scenes.push_back(whole_road[at]);
        release_all_keys();
    }

    // Sets the latches the next scene's enter() will raise; the running scene never reads them.
    void arm_sentinels()
    {
        switch (kind_of(whole_road[at])) {
        case Kind::intro: upheld = spacepressed = escpressed = false; break;
        case Kind::title: spacepressed = false; break;
        case Kind::cut: upheld = escpressed = false; break;
        case Kind::level: spacepressed = upheld = false; break;
        }
    }

    // One frame of keys and pending ticks for the running scene.
    int plan_frame()
    {
        const std::string &scene = whole_road[at];
        switch (kind_of(scene)) {
        case Kind::intro:
            if (step < 3)
                return step < 2 ? 40 : 41;
            fail("the intro did not end after 121 ticks");
            return 0;
        case Kind::title:
            return plan_title(at + 1 == whole_road.size());
        case Kind::cut:
            if (step >= 8)
                fail("the cutscene did not end");
            if (step % 2)
                press(KEY_SPACE);
            else
                release(KEY_SPACE);
            return 1;
        case Kind::level:
            if (scene == "level0")
                return plan_level_one();
            if (scene == "level1")
                return plan_level_two();
            return plan_level_three();
        }
        return 0;
    }

    // Start: a key seen up, Down and Up (back to Start), Space, the countdown.
    // Exit at the end of the road: Down, Space, the countdown.
    int plan_title(bool leave)
    {
        release_all_keys();
        const int start_keys[] = {0, KEY_DOWN, KEY_UP, KEY_SPACE};
        const int exit_keys[] = {0, KEY_DOWN, KEY_SPACE};
        int n = leave ? 3 : 4;
        if (step < n) {
            int k = leave ? exit_keys[step] : start_keys[step];
            if (k)
                press(k);
            return 1;
        }
        if (step > n + 1)
            fail("the title menu did not close");
        return leave ? 40 : 20;
    }

    // Keeps the nanny on the far side of the child from the goal corner, so
    // that the child flees towards it; three ticks a frame.
    int plan_level_one()
    {
        release_all_keys();
        if (step > 2000)
            fail("level one was not won");
        // Exactly the countdown: ticks past its end would play on, and the
        // child still in the corner would win (and sound) a second time.
        if (endtimer > 0)
            return std::min(30, endtimer);
        float gx = RIGHT - child.x, gy = BOTTOM - child.y;
        float d = std::sqrt(gx * gx + gy * gy);
        float tx = child.x, ty = child.y;
        if (d > 0) {
            tx -= 30 * gx / d;
            ty -= 30 * gy / d;
        }
        if (tx < player.x - 1.5f)
            press(KEY_LEFT);
        if (tx > player.x + 1.5f)
            press(KEY_RIGHT);
        if (ty < player.y - 1.5f)
            press(KEY_UP);
        if (ty > player.y + 1.5f)
            press(KEY_DOWN);
        return 3;
    }

    // Waits for each question, reads the middle icon and holds the answer
    // into the window; the first answer of a play is wrong on purpose.
    int plan_level_two()
    {
        release_all_keys();
        if (step > 200)
            fail("level two was not won");
        int t = leveltimer;
        if (t < 90) {
            asking = false;
            return std::min(30, 90 - t);
        }
        if (t < 120) {
            if (!asking) {
                asking = true;
                questions++;
            }
            bool down_is_right = states[1] == 1;
            bool give_down = questions == 1 ? !down_is_right : down_is_right;
            press(give_down ? KEY_DOWN : KEY_UP);
            return std::min(30, 120 - t);
        }
        if (t < 150)
            return 150 - t;
        return std::min(30, 180 - t);
    }

    // Right held, let go for one frame (the trolley waits), held again.
    int plan_level_three()
    {
        release_all_keys();
        if (step > 40)
            fail("level three was not finished");
        if (step != 3)
            press(KEY_RIGHT);
        return step == 3 ? 10 : 30;
    }

    void frame()
    {
        if (result.frames > 0) {
            result.hash = hash_bitmap(result.hash, screen);
            result.hash = hash_state(result.hash, whole_road[at]);
            notice_new_scene();
        } else if (titletimer != 0) {
            fail("the road did not open with the intro");
        }
        result.frames++;
        if (!result.failure.empty()) {
            quit = true;   // ends every scene, and the program at the title
            return;
        }
        arm_sentinels();
        int ticks = plan_frame();
        step++;
        speed_count = ticks;
        result.ticks += ticks;
    }
};

} // namespace

RoadResult play_road()
{
    Driver driver;
    driver.result.scenes.push_back(whole_road[0]);
    polled_tracks.clear();   // one entry a frame; kept only for the play at hand
    release_all_keys();
    clear_keybuf();
    clear_to_color(screen, 0);
    titletimer = -1;
    // As at program start; the last play ended with quit set by Exit.
    quit = finishedtitle = TitleLoop::begin = false;
    on_frame = [&driver] { driver.frame(); };
    driver.result.status = run_sequence();
    on_frame = nullptr;
    driver.result.hash = hash_bitmap(driver.result.hash, screen);
    if (driver.result.failure.empty() && driver.result.scenes != whole_road)
        driver.fail("the road ended early");
    return driver.result;
}
