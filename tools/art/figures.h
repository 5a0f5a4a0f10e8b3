// The story's people and things, drawn with the painting helpers so that the
// same Rosa, Pip, trolley, apples and milk appear in every picture.
#pragma once

#include "art/palette.h"

#include <cmath>

// The light of every picture, the one rule every lit side, shaded side,
// highlight and shadow is placed by: the sun stands on the right, high in the
// daytime pictures and low in the evening ones; at night the lamp on the
// right of the room is the only light. Each picture says which it is first.
enum Light { DAY, EVENING, LAMP };
extern Light light;
// The unit vector from a thing towards the light, in picture axes (y down).
void towards_light(float &dx, float &dy);
// How a surface facing (nx, ny) takes the light: 1 full on, 0 edge on, -1
// turned away (the normal need not be of unit length).
float sunlit(float nx, float ny);
// Colour c as it looks on such a surface: warmed and lifted where the light
// falls on it, dimmed towards plum where it turns away.
int in_light(int c, float nx, float ny);
// Where the highlight of a round thing of radius r sits, from its centre.
void highlight_at(float r, float &dx, float &dy);

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
    float head = 1;             // the head this many times larger, for small figures
};

enum Face { SMILE, LAUGH, SURPRISE, ASLEEP };

// Standing with the arms down, as a starting point for other poses.
Pose rosa_standing();
Pose pip_standing();

// x, y: the point between the feet on the finished picture; s: pixels per unit;
// edge: the outline's width in pixels, 0 for the pictures' own (1.3 units).
void rosa(BITMAP *b, float x, float y, float s, const Pose &p, float edge = 0);
void pip(BITMAP *b, float x, float y, float s, const Pose &p, float edge = 0);

// Pip's head and arms only, for where he sits inside something (the trolley).
void pip_sitting(BITMAP *b, float x, float y, float s, const Pose &p, float edge = 0);
// Pip's head alone, centred on (cx, cy), for where the rest of him is hidden.
void pip_head(BITMAP *b, float cx, float cy, float s, const Pose &p);

// `tilt` turns it by so many degrees clockwise; `vary` (0 to 1) picks its
// shade and the size of its shine, so that a shelf of them is not one stamp.
void apple(BITMAP *b, float cx, float cy, float r, float tilt = 0, float vary = 0.5f);
void milk(BITMAP *b, float cx, float bottom, float h, float tilt = 0, float vary = 0.5f);   // standing on `bottom`
void bell(BITMAP *b, float cx, float cy, float s, bool ringing);

// Rosa pushing the trolley to the right with Pip and the shopping in it:
// rx, ground: where Rosa stands; rs: her pixels per unit; edge: the
// outlines' width in pixels, 0 for the pictures' own.
void pushing_home(BITMAP *b, float rx, float ground, float rs, float edge = 0);

void cloud(BITMAP *b, float x, float y, float s);
// A tree standing at (x, y), about 1.6 s tall: kind ROUND, POPLAR, FIR,
// BIRCH, SPREADING or APPLE_TREE; `seed` varies its crown so that two of
// a kind are never twins; `haze` (0 to 1) fades it into the distance.
enum TreeKind { ROUND, POPLAR, FIR, BIRCH, SPREADING, APPLE_TREE, TREE_KINDS };
void tree_of(BITMAP *b, float x, float y, float s, int kind, float haze, int seed = 0);
// A row of trees at the given feet points and sizes, kinds picked so that
// no two neighbours share one, starting from `first`.
struct TreeSpot {
    float x, s;
};
void tree_row(BITMAP *b, std::initializer_list<TreeSpot> spots, float y, float haze, int first);
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

// A soft shadow on the ground under a figure or thing, cast away from the
// light: a little to the left by day, longer to the left in the evening.
void ground_shadow(BITMAP *b, float x, float ground, float w);
