// Pads' controls by the kernel's codes, the stick's hysteresis, the fallback
// layout, and events that must change nothing.
#include "platform/pad_layout.h"

#include <linux/joystick.h>

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

namespace {

const uint8_t AXES[8] = {ABS_X, ABS_Y, ABS_Z, ABS_RX, ABS_RY, ABS_RZ, ABS_HAT0X, ABS_HAT0Y};
const uint16_t XBOX[11] = {BTN_SOUTH, BTN_EAST, BTN_NORTH, BTN_WEST, BTN_TL, BTN_TR,
                           BTN_SELECT, BTN_START, BTN_MODE, BTN_THUMBL, BTN_THUMBR};
const uint16_t PLAYSTATION[13] = {BTN_SOUTH, BTN_EAST, BTN_NORTH, BTN_WEST, BTN_TL, BTN_TR, BTN_TL2,
                                  BTN_TR2, BTN_SELECT, BTN_START, BTN_MODE, BTN_THUMBL, BTN_THUMBR};

void button(Pad &pad, int n, bool down) { pad_event(pad, JS_EVENT_BUTTON, n, down ? 1 : 0); }
void axis(Pad &pad, int n, int value) { pad_event(pad, JS_EVENT_AXIS, n, value); }

// The actions the pad holds now, as a string of their initials (U D L R C X B).
std::string holding(const Pad &pad)
{
    std::string s;
    for (int a = 0; a < PAD_ACTIONS; a++)
        if (pad_holds(pad, static_cast<PadAction>(a)))
            s += "UDLRCXB"[a];
    return s;
}

} // namespace

TEST(PadLayout, ButtonsAndHatsByCodeWhateverTheirNumbers)
{
    struct Case {
        const uint16_t *codes;
        int buttons, start, back;
    } cases[] = {{XBOX, 11, 7, 6}, {PLAYSTATION, 13, 9, 8}};
    for (const Case &c : cases) {
        Pad pad;
        setup_pad(pad, 8, c.buttons, AXES, c.codes);
        const std::string expect[][2] = {{"0", "C"}, {"1", "X"}, {std::to_string(c.start), "C"},
                                         {std::to_string(c.back), "B"}, {"2", ""}, {"3", ""}, {"4", ""}};
        for (const auto &e : expect) {
            int n = std::stoi(e[0]);
            button(pad, n, true);
            EXPECT_EQ(holding(pad), e[1]) << "button " << n << " of " << c.buttons;
            EXPECT_TRUE(take_press(pad)) << "button " << n << " is a press for the intro";
            button(pad, n, false);
            EXPECT_EQ(holding(pad), "");
            EXPECT_FALSE(take_press(pad)) << "a release is no press";
        }
        // The D-pad's hat axes, and the triggers (Z, RZ), which are no arrows.
        axis(pad, 6, 32767);
        axis(pad, 7, -32767);
        EXPECT_EQ(holding(pad), "UR");
        EXPECT_TRUE(take_press(pad));
        axis(pad, 6, 0);
        axis(pad, 7, 0);
        axis(pad, 2, 32767);
        axis(pad, 5, -32767);
        EXPECT_EQ(holding(pad), "");
        EXPECT_FALSE(take_press(pad));
    }

    // A D-pad of four buttons, past buttons the game does not know.
    const uint16_t dpad[6] = {BTN_TRIGGER, BTN_SOUTH, BTN_DPAD_UP, BTN_DPAD_DOWN, BTN_DPAD_LEFT, BTN_DPAD_RIGHT};
    Pad pad;
    setup_pad(pad, 2, 6, AXES, dpad);
    for (int n = 2; n < 6; n++)
        button(pad, n, true);
    EXPECT_EQ(holding(pad), "UDLR");
    EXPECT_TRUE(take_press(pad));
    button(pad, 0, true);   // no fallback once one button is known
    EXPECT_EQ(holding(pad), "UDLR");
}

TEST(PadLayout, StickPushedPastHalfLetGoBelowAThird)
{
    Pad pad;
    setup_pad(pad, 8, 11, AXES, XBOX);
    axis(pad, 0, PAD_PUSH - 1);
    EXPECT_EQ(holding(pad), "");
    axis(pad, 0, PAD_PUSH);
    EXPECT_EQ(holding(pad), "R");
    axis(pad, 0, PAD_LET_GO);   // resting near half: still held
    EXPECT_EQ(holding(pad), "R");
    axis(pad, 0, PAD_LET_GO - 1);
    EXPECT_EQ(holding(pad), "");
    axis(pad, 0, -PAD_LET_GO);   // not pushed far enough the other way
    EXPECT_EQ(holding(pad), "");
    axis(pad, 0, 32767);
    axis(pad, 0, -32768);   // straight across
    EXPECT_EQ(holding(pad), "L");
    axis(pad, 1, -20000);   // a diagonal holds two arrows
    EXPECT_EQ(holding(pad), "UL");
    EXPECT_FALSE(take_press(pad)) << "the stick does not end the intro";
    let_go(pad);
    EXPECT_EQ(holding(pad), "");
}

TEST(PadLayout, FallbackForPadsWithoutKnownCodes)
{
    // A plain joystick: its axes are known, its buttons are not.
    const uint16_t stick[4] = {BTN_TRIGGER, BTN_THUMB, BTN_THUMB2, BTN_TOP};
    const uint8_t odd_axes[3] = {ABS_THROTTLE, ABS_RUDDER, ABS_WHEEL};
    Pad pad;
    setup_pad(pad, 3, 4, AXES, stick);
    button(pad, 0, true);
    button(pad, 1, true);
    button(pad, 2, true);
    EXPECT_EQ(holding(pad), "CX");
    axis(pad, 1, 32767);
    EXPECT_EQ(holding(pad), "DCX");

    // No axis known: the first two are the arrows; no maps at all: the same.
    setup_pad(pad, 3, 4, odd_axes, stick);
    axis(pad, 0, -32767);
    axis(pad, 1, -32767);
    axis(pad, 2, 32767);
    EXPECT_EQ(holding(pad), "UL");
    setup_pad(pad, 3, 2, nullptr, nullptr);
    axis(pad, 0, 32767);
    button(pad, 1, true);
    EXPECT_EQ(holding(pad), "RX");
}

TEST(PadLayout, StateAtOpeningOddNumbersAndTypesChangeNothing)
{
    Pad pad;
    setup_pad(pad, 8, 11, AXES, XBOX);
    // joydev's state at opening: South held, the D-pad pushed.
    pad_event(pad, JS_EVENT_BUTTON | JS_EVENT_INIT, 0, 1);
    pad_event(pad, JS_EVENT_AXIS | JS_EVENT_INIT, 6, 32767);
    EXPECT_EQ(holding(pad), "");
    EXPECT_FALSE(take_press(pad));
    button(pad, 0, false);
    button(pad, 0, true);
    EXPECT_EQ(holding(pad), "C");
    let_go(pad);

    // Every type and number, on a pad with few controls and a count past
    // what a map can name: only the pad's own controls may change.
    std::mt19937 random(7);
    setup_pad(pad, 300, 300, nullptr, nullptr);
    EXPECT_EQ(pad.axes, PAD_MAX_AXES);
    EXPECT_EQ(pad.buttons, PAD_MAX_BUTTONS);
    setup_pad(pad, 2, 3, AXES, XBOX);
    Pad before = pad;
    for (int i = 0; i < 200000; i++) {
        uint8_t type = static_cast<uint8_t>(random());
        uint8_t number = static_cast<uint8_t>(random());
        bool own = (type == JS_EVENT_AXIS && number < 2) || (type == JS_EVENT_BUTTON && number < 3);
        if (own)
            continue;
        pad_event(pad, type, number, static_cast<int16_t>(random()));
    }
    EXPECT_EQ(memcmp(before.axis_way, pad.axis_way, sizeof pad.axis_way), 0);
    EXPECT_EQ(memcmp(before.button_down, pad.button_down, sizeof pad.button_down), 0);
    EXPECT_FALSE(pad.pressed);
}
