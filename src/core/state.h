// How the running scene ended, and the key latches the scenes share.
#pragma once

// How the running scene ended; the sequence reads only quit.
extern bool finishedtitle;
extern bool quit;

// Edge latches: true while the key counts as already held.
extern bool escpressed;
extern bool spacepressed;   // Space or Esc, in the cutscenes
extern bool spaceheld;
extern bool upheld;
extern bool downheld;
