// The colours the figures, the pictures and the desktop icons share, so that
// Rosa and Pip look the same on every screen and at every size.
#pragma once

#include "art/paint.h"

inline int outline() { return rgb(58, 40, 48); }   // the one outline colour, never black
inline int skin() { return rgb(250, 212, 180); }
inline int cheek() { return rgb(244, 160, 150); }
inline int mouth() { return rgb(150, 45, 55); }
inline int paper() { return rgb(255, 248, 228); }   // the notes and story panels
inline int ink() { return rgb(84, 52, 40); }        // the text on them

inline int rosa_hair() { return rgb(122, 66, 38); }
inline int rosa_dress() { return rgb(72, 112, 196); }
inline int apron() { return rgb(252, 250, 242); }
inline int tights() { return rgb(84, 70, 92); }
inline int shoe() { return rgb(96, 52, 40); }

inline int pip_hair() { return rgb(236, 128, 44); }
inline int shirt() { return rgb(222, 66, 60); }
inline int stripe() { return rgb(252, 212, 76); }
inline int shorts() { return rgb(62, 92, 170); }
inline int sneaker() { return rgb(246, 246, 246); }

inline int stripe_blue() { return rgb(58, 178, 211); }   // the intro's and title's even stripes
