// Numbers the game and its generator (tools/) must agree on: the tick rate,
// and where the scenes draw on top of their pictures. Both sides include this
// file, so that moving a level's art takes one edit; scripts/check-includes
// lets tools/ include nothing else of src/.
#pragma once

// Logic steps a second, counted by the timer.
const int TICRATE = 30;

// Level one: the lawn where both figures' feet stay. The child is herded
// into its bottom-right corner, where the sandpit is painted.
const float LAWN_TOP = 202.0f;
const float LAWN_BOTTOM = 320.0f;
const float LAWN_LEFT = 208.0f;
const float LAWN_RIGHT = 433.0f;

// Level two: the three 128x128 icons stand in a row on the counter, at
// (CARD_LEFT + CARD_STEP * i, CARD_TOP).
const int CARD_LEFT = 115;
const int CARD_STEP = 133;
const int CARD_TOP = 153;
const int CARD_SIZE = 128;

// The title menu writes Start and Exit at (MENU_X, MENU_Y[i]), on the slate
// the title picture paints round them.
const int MENU_X = 310;
const int MENU_Y[2] = {420, 440};
