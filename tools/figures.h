// The story's people and things, drawn with the painting helpers so that the
// same Rosa, Pip, trolley, apples and milk appear in every picture.
#pragma once

#include "palette.h"

#include <cmath>

// Where the limbs go, in figure units relative to the feet point (x to the
// right, y up negative; Rosa is 100 units tall, Pip 60). Hands and feet as
// the viewer sees them: l is the one on the left of the picture.
// Elbows and knees left at NAN make straight limbs.
struct Pose {
    float lhx, lhy, rhx, rhy;   // hands
    float lfx, lfy, rfx, rfy;   // feet
    float lean = 0;             // the top of the body shifts this far sideways
    int face = 0;               // one of the faces below
    float look = 0;             // eyes shift, -1 left to 1 right
    float lex = NAN, ley = NAN, rex = NAN, rey = NAN;   // elbows
    float lkx = NAN, lky = NAN, rkx = NAN, rky = NAN;   // knees
    float tilt = 0;             // the head leans this many degrees, clockwise
    float turn = 0;             // the face turns, -1 to the left to 1 to the right
};

enum Face { SMILE, LAUGH, SURPRISE, ASLEEP };

// Standing with the arms down, as a starting point for other poses.
Pose rosa_standing();
Pose pip_standing();

// x, y: the point between the feet on the finished picture; s: pixels per unit.
void rosa(BITMAP *b, float x, float y, float s, const Pose &p);
void pip(BITMAP *b, float x, float y, float s, const Pose &p);

// Pip's head and arms only, for where he sits inside something (the trolley).
void pip_sitting(BITMAP *b, float x, float y, float s, const Pose &p);

void apple(BITMAP *b, float cx, float cy, float r);
void milk(BITMAP *b, float cx, float bottom, float h);   // a bottle standing on `bottom`
void bell(BITMAP *b, float cx, float cy, float s, bool ringing);

// Rosa pushing the trolley to the right with Pip and the shopping in it:
// rx, ground: where Rosa stands; rs: her pixels per unit.
void pushing_home(BITMAP *b, float rx, float ground, float rs);

void cloud(BITMAP *b, float x, float y, float s);
void tree(BITMAP *b, float x, float y, float s);
// Trees of a row, each unlike its neighbours: kind 0 round, 1 tall, 2 pine;
// `haze` (0 to 1) fades it into the distance.
void tree_of(BITMAP *b, float x, float y, float s, int kind, float haze);
void bush(BITMAP *b, float x, float y, float s, int c);
void flower(BITMAP *b, float x, float y, float r, int c);

// A house of the street standing on `ground`, its side away from the sun shaded.
struct House {
    float x, w, top;
    int wall, roof, kind;   // kind 0 gable, 1 flat with a parapet, 2 hipped
    int windows;
};
void street_house(BITMAP *b, const House &h, float ground);

// The garden's far picket fence across the whole picture, its pointed tops at `top`.
void garden_fence(BITMAP *b, float top);

// A soft shadow on the ground under a figure or thing; the light comes from
// the upper right in every picture, so shadows fall a little to the left.
void ground_shadow(BITMAP *b, float x, float ground, float w);
